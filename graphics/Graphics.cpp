#include "graphics/Graphics.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "core/Matrix.h"
#include "core/Messages.h"
#include "core/VirtualScreen.h"
#include "core/WinTypes.h"
#include "objects/Factory.h"
#include "physics/Physics.h"
#include "platform/Platform.h"

Graphics* gGraphics = nullptr;

namespace {
constexpr std::uint32_t kQuadFvf = D3DFVF_XYZ | D3DFVF_TEX1;
constexpr std::uint32_t kDebugFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE;
constexpr D3DCOLOR kWhite = 0xFFFFFFFFU;
constexpr D3DCOLOR kRed = 0xFFFF0000U;
constexpr D3DCOLOR kBlack = 0xFF000000U;
constexpr float kCircleStep = 0.31415927f;

const QuadVertex kUnitQuad[4] = {
    {0.0f, 0.0f, 0.0f, 0.0f, 0.0f},
    {1.0f, 0.0f, 0.0f, 1.0f, 0.0f},
    {1.0f, -1.0f, 0.0f, 1.0f, 1.0f},
    {0.0f, -1.0f, 0.0f, 0.0f, 1.0f},
};

// A label's corner in whole pixels; data far off the screen (or not a
// number) stays a representable coordinate.
std::int32_t Pixel(float v) {
    constexpr float kFar = 100000.0f;
    return static_cast<std::int32_t>(std::lround(v > -kFar && v < kFar ? v : (v >= kFar ? kFar : -kFar)));
}

// Empties a list that owns none of its members, so that a member that
// outlives the graphics system does not try to leave it.
template <class T, T* T::*Next, T* T::*Prev>
void Detach(IntrusiveList<T, Next, Prev>& list, bool T::*listed) {
    for (T* member = list.head; member != nullptr;) {
        T* following = member->*Next;
        member->*Next = nullptr;
        member->*Prev = nullptr;
        member->*listed = false;
        member = following;
    }
    list = {};
}

template <class T>
void ReleaseAndClear(T*& pointer) {
    if (pointer != nullptr) {
        pointer->Release();
        pointer = nullptr;
    }
}
}  // namespace

Graphics::Graphics(WindowHandle windowHandle) : window(windowHandle) { gGraphics = this; }

Graphics::~Graphics() {
    if (device != nullptr) {
        device->SetStreamSource(0, nullptr, 0, 0);
    }
    for (auto& entry : textures) {
        ReleaseAndClear(entry.second);
    }
    ReleaseAndClear(quadBuffer);
    ReleaseAndClear(device);
    ReleaseAndClear(d3d);
    ReleaseAndClear(font);
    if (gGraphics == this) {
        gGraphics = nullptr;
    }
    Detach(sprites, &Sprite::inDrawList_);
    Detach(labels, &TextLabel::listed_);
    drawOrder_.Clear();
    textures.clear();
}

void Graphics::Initialize() {
    std::string error;
    if (!TryInitialize(error)) {
        std::fprintf(stderr, "velmor: %s\n", error.c_str());
        initializationFailed_ = true;
    }
}

bool Graphics::TryInitialize(std::string& error) {
    if (gPlatform == nullptr) {
        error = "no platform to create the render device on";
        return false;
    }
    d3d = gPlatform->Direct3DCreate9(D3D_SDK_VERSION);
    if (d3d == nullptr) {
        error = "cannot create the Direct3D object";
        return false;
    }
    D3DPRESENT_PARAMETERS parameters;
    parameters.BackBufferWidth = kVirtualWidth;
    parameters.BackBufferHeight = kVirtualHeight;
    parameters.BackBufferFormat = D3DFMT_UNKNOWN;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.Windowed = true;
    parameters.EnableAutoDepthStencil = true;
    parameters.AutoDepthStencilFormat = D3DFMT_D16;
    parameters.PresentationInterval = D3DPRESENT_INTERVAL_DEFAULT;
    if (Failed(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING,
                                 &parameters, &device)) ||
        device == nullptr) {
        device = nullptr;
        error = "cannot create the render device";
        return false;
    }

    D3DVIEWPORT9 viewport;
    device->GetViewport(&viewport);
    const Matrix projection =
        OrthoLH(static_cast<float>(viewport.Width), static_cast<float>(viewport.Height), 1.0f, 10.0f);
    device->SetTransform(D3DTS_PROJECTION, &projection);
    const Matrix identity = Identity();
    device->SetTransform(D3DTS_WORLD, &identity);
    device->SetTransform(D3DTS_VIEW, &identity);
    device->SetVertexShader(nullptr);
    device->SetFVF(kQuadFvf);

    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_LIGHTING, 0);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);

    if (Failed(device->CreateFontA(40, 0, 700, 0, false, DEFAULT_CHARSET, 0, 0, 0, "Arial", &font)) ||
        font == nullptr) {
        font = nullptr;
        error = "cannot create the frame-rate font \"Arial\"";
        return false;
    }

    if (Failed(device->CreateVertexBuffer(sizeof(kUnitQuad), D3DUSAGE_WRITEONLY, kQuadFvf, D3DPOOL_MANAGED, &quadBuffer,
                                          nullptr)) ||
        quadBuffer == nullptr) {
        quadBuffer = nullptr;
        error = "cannot create the sprite vertex buffer";
        return false;
    }
    device->SetStreamSource(0, quadBuffer, 0, sizeof(QuadVertex));
    void* data = nullptr;
    if (Failed(quadBuffer->Lock(0, sizeof(kUnitQuad), &data, 0)) || data == nullptr) {
        error = "cannot fill the sprite vertex buffer";
        return false;
    }
    std::memcpy(data, kUnitQuad, sizeof(kUnitQuad));
    quadBuffer->Unlock();

    gPlatform->ShowMainWindow(window, win::SW_SHOWDEFAULT);

    if (gFactory != nullptr) {
        gFactory->Register<Sprite>();
    }
    return true;
}

void Graphics::SendMessage(Message* message) {
    if (message->id == MsgKey && static_cast<KeyMessage*>(message)->key == win::VK_P) {
        debugDraw = !debugDraw;
    }
}

std::string Graphics::FrameRateText(float dt) {
    // A zero-time frame (paused, just resumed, or under a millisecond) has
    // no finite rate; it shows 0 rather than an undefined conversion.
    const float rate = 1.0f / dt;
    std::int32_t shown = 0;
    if (std::isfinite(rate) && rate < 2147483648.0f && rate > -2147483648.0f) {
        shown = static_cast<std::int32_t>(rate);
    }
    return "Framerate: " + std::to_string(shown);
}

void Graphics::Update(float dt) {
    if (device == nullptr) {
        return;
    }
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlack, 1.0f, 0);
    if (!Failed(device->BeginScene())) {
        for (Sprite* sprite = sprites.head; sprite != nullptr; sprite = sprite->drawNext) {
            sprite->Draw(*device);
        }
        DrawLabels();
        if (debugDraw) {
            device->SetTexture(0, nullptr);
            const Matrix identity = Identity();
            device->SetTransform(D3DTS_WORLD, &identity);
            device->SetFVF(kDebugFvf);
            if (gPhysics != nullptr) {
                gPhysics->DrawBodies();
            }
            device->SetFVF(kQuadFvf);
            device->SetStreamSource(0, quadBuffer, 0, sizeof(QuadVertex));
            const std::string text = FrameRateText(dt);
            WinRect rect{20, 20, 0, 0};
            if (font != nullptr) {
                font->DrawTextA(nullptr, text.c_str(), -1, &rect, DT_NOCLIP, kBlack);
            }
        }
        device->EndScene();
    }
    device->Present(nullptr, nullptr, nullptr, nullptr);
}

void Graphics::DrawLabels() {
    if (font == nullptr) {
        return;
    }
    // A dark copy two pixels down and right keeps white text readable on
    // light ground as on dark.
    constexpr D3DCOLOR kShadow = 0xC0000000U;
    for (TextLabel* label = labels.head; label != nullptr; label = label->labelNext) {
        const std::string text = label->Text();
        if (text.empty()) {
            continue;
        }
        const std::int32_t left = Pixel(label->at.x);
        const std::int32_t top = Pixel(label->at.y);
        WinRect shadow{left + 2, top + 2, 0, 0};
        font->DrawTextA(nullptr, text.c_str(), -1, &shadow, DT_NOCLIP, kShadow);
        WinRect rect{left, top, 0, 0};
        font->DrawTextA(nullptr, text.c_str(), -1, &rect, DT_NOCLIP, kWhite);
    }
}

void Graphics::AddLabel(TextLabel& label) {
    if (!label.listed_) {
        labels.PushBack(&label);
        label.listed_ = true;
    }
}

void Graphics::RemoveLabel(TextLabel& label) {
    if (label.listed_) {
        labels.Remove(&label);
        label.listed_ = false;
    }
}

Texture* Graphics::LoadTexture(const std::string& name) {
    auto it = textures.find(name);
    if (it != textures.end()) {
        return it->second;
    }
    // A sprite without an image names none: nothing to open (the path would
    // be the images folder itself).
    if (device == nullptr || name.empty()) {
        return nullptr;
    }
    const std::string path = dataFolder_ + "Images/" + name;
    D3DXIMAGE_INFO info;
    Texture* texture = nullptr;
    const HRESULT hr = device->CreateTextureFromFileExA(path.c_str(), 0, 0, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                                        D3DX_FILTER_NONE, D3DX_DEFAULT, 0, &info, nullptr, &texture);
    if (Failed(hr) || texture == nullptr) {
        return nullptr;
    }
    textures[name] = texture;
    return texture;
}

void Graphics::ToView(float x, float y, float& vx, float& vy) const {
    D3DVIEWPORT9 viewport;
    device->GetViewport(&viewport);
    // Halves in unsigned integer arithmetic, as the overlay always did.
    vx = x - static_cast<float>(viewport.Width / 2);
    vy = static_cast<float>(viewport.Height / 2) - y;
}

void Graphics::DrawDebugVertices(D3DPRIMITIVETYPE type, std::uint32_t count, const DebugVertex* vertices) {
    device->DrawPrimitiveUP(type, count, vertices, sizeof(DebugVertex));
}

void Graphics::DrawLine(float x1, float y1, float x2, float y2) {
    if (device == nullptr) {
        return;
    }
    DebugVertex v[2];
    ToView(x1, y1, v[0].x, v[0].y);
    ToView(x2, y2, v[1].x, v[1].y);
    for (DebugVertex& vertex : v) {
        vertex.z = 1.0f;
        vertex.color = kWhite;
    }
    DrawDebugVertices(D3DPT_LINELIST, 1, v);
}

void Graphics::DrawRect(float cx, float cy, float halfWidth, float halfHeight) {
    if (device == nullptr) {
        return;
    }
    const float corners[5][2] = {{cx - halfWidth, cy - halfHeight},
                                 {cx + halfWidth, cy - halfHeight},
                                 {cx + halfWidth, cy + halfHeight},
                                 {cx - halfWidth, cy + halfHeight},
                                 {cx - halfWidth, cy - halfHeight}};
    DebugVertex v[5];
    for (int i = 0; i < 5; ++i) {
        ToView(corners[i][0], corners[i][1], v[i].x, v[i].y);
        v[i].z = 1.0f;
        v[i].color = kRed;
    }
    DrawDebugVertices(D3DPT_LINESTRIP, 4, v);
}

void Graphics::DrawCircle(float radius, float cx, float cy) {
    if (device == nullptr) {
        return;
    }
    DebugVertex v[21];
    float angle = 0.0f;
    for (int i = 0; i < 21; ++i) {
        ToView(cx + radius * std::cos(angle), cy - radius * std::sin(angle), v[i].x, v[i].y);
        v[i].z = 1.0f;
        v[i].color = kRed;
        angle += kCircleStep;
    }
    DrawDebugVertices(D3DPT_LINESTRIP, 20, v);
}

void Graphics::AddSprite(Sprite& sprite) {
    // Same place as walking from the head to the first key not larger, found
    // without the walk so that loading a level stays linear.
    drawOrder_.Insert(sprites, sprite);
    sprite.inDrawList_ = true;
}

void Graphics::RemoveSprite(Sprite& sprite) {
    if (!sprite.inDrawList_) {
        return;
    }
    drawOrder_.Remove(sprites, sprite);
    sprite.inDrawList_ = false;
}
