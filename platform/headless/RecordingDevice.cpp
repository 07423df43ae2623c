#include "platform/headless/RecordingDevice.h"

#include <cstring>
#include <vector>

#include "platform/ImageFile.h"

namespace {
class RecordedTexture : public Texture {
public:
    RecordedTexture(std::shared_ptr<DrawLog> log, std::string path, std::uint32_t width, std::uint32_t height)
        : log_(std::move(log)), path_(std::move(path)), width_(width), height_(height) {
        ++log_->liveTextures;
    }
    void Release() override { delete this; }
    std::uint32_t Width() const override { return width_; }
    std::uint32_t Height() const override { return height_; }
    const std::string& Path() const { return path_; }

private:
    ~RecordedTexture() override { --log_->liveTextures; }

    std::shared_ptr<DrawLog> log_;
    std::string path_;
    std::uint32_t width_;
    std::uint32_t height_;
};

class RecordedVertexBuffer : public VertexBuffer {
public:
    explicit RecordedVertexBuffer(std::uint32_t length) : data_(length) {}
    void Release() override { delete this; }
    HRESULT Lock(std::uint32_t offset, std::uint32_t size, void** data, std::uint32_t /*flags*/) override {
        if (data == nullptr || offset > data_.size() || size > data_.size() - offset) {
            return D3DERR_INVALIDCALL;
        }
        *data = data_.data() + offset;
        return D3D_OK;
    }
    HRESULT Unlock() override { return D3D_OK; }
    const std::vector<std::uint8_t>& Data() const { return data_; }

private:
    ~RecordedVertexBuffer() override = default;
    std::vector<std::uint8_t> data_;
};

class RecordedFont : public Font {
public:
    explicit RecordedFont(std::shared_ptr<DrawLog> log) : log_(std::move(log)) {}
    void Release() override { delete this; }
    int DrawTextA(void* /*sprite*/, const char* text, int count, WinRect* rect, std::uint32_t format,
                  D3DCOLOR color) override {
        DrawLog::Call call;
        call.name = "DrawTextA";
        call.frame = log_->presents;
        call.text = count < 0 ? std::string(text) : std::string(text, static_cast<std::size_t>(count));
        call.args = {static_cast<std::uint32_t>(count), format};
        if (rect != nullptr) {
            call.rect = *rect;
        }
        call.color = color;
        log_->calls.push_back(std::move(call));
        return 40;
    }

private:
    ~RecordedFont() override = default;
    std::shared_ptr<DrawLog> log_;
};
}  // namespace

HRESULT RecordingDirect3D::CreateDevice(std::uint32_t adapter, std::uint32_t deviceType, WindowHandle /*focusWindow*/,
                                        std::uint32_t behaviorFlags, D3DPRESENT_PARAMETERS* parameters,
                                        RenderDevice** device) {
    if (device == nullptr || parameters == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    DrawLog::Call call;
    call.name = "CreateDevice";
    call.args = {adapter,
                 deviceType,
                 behaviorFlags,
                 parameters->BackBufferWidth,
                 parameters->BackBufferHeight,
                 parameters->BackBufferFormat,
                 parameters->SwapEffect,
                 parameters->Windowed ? 1U : 0U,
                 parameters->EnableAutoDepthStencil ? 1U : 0U,
                 parameters->AutoDepthStencilFormat,
                 parameters->PresentationInterval};
    log_->calls.push_back(std::move(call));
    if (failure_ == Failure::Device) {
        *device = nullptr;
        return D3DERR_NOTAVAILABLE;
    }
    *device = new RecordingDevice(log_, *parameters, failure_);
    return D3D_OK;
}

RecordingDevice::RecordingDevice(std::shared_ptr<DrawLog> log, const D3DPRESENT_PARAMETERS& parameters,
                                 RecordingDirect3D::Failure failure)
    : log_(std::move(log)), failure_(failure) {
    viewport_.Width = parameters.BackBufferWidth;
    viewport_.Height = parameters.BackBufferHeight;
}

RecordingDevice::~RecordingDevice() = default;

DrawLog::Call& RecordingDevice::Record(const char* name, std::initializer_list<std::uint32_t> args) {
    DrawLog::Call call;
    call.name = name;
    call.args = args;
    call.frame = log_->presents;
    log_->calls.push_back(std::move(call));
    return log_->calls.back();
}

HRESULT RecordingDevice::Clear(std::uint32_t count, const void* /*rects*/, std::uint32_t flags, D3DCOLOR color,
                               float /*z*/, std::uint32_t stencil) {
    Record("Clear", {count, flags, stencil}).color = color;
    return D3D_OK;
}

HRESULT RecordingDevice::BeginScene() {
    Record("BeginScene");
    if (inScene_) {
        return D3DERR_INVALIDCALL;
    }
    inScene_ = true;
    return D3D_OK;
}

HRESULT RecordingDevice::EndScene() {
    Record("EndScene");
    if (!inScene_) {
        return D3DERR_INVALIDCALL;
    }
    inScene_ = false;
    return D3D_OK;
}

HRESULT RecordingDevice::Present(const void*, const void*, WindowHandle, const void*) {
    Record("Present");
    ++log_->presents;
    return D3D_OK;
}

HRESULT RecordingDevice::GetViewport(D3DVIEWPORT9* viewport) {
    if (viewport == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *viewport = viewport_;
    return D3D_OK;
}

HRESULT RecordingDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const Matrix* matrix) {
    if (matrix == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    Record("SetTransform", {static_cast<std::uint32_t>(state)}).matrix = *matrix;
    return D3D_OK;
}

HRESULT RecordingDevice::SetVertexShader(void* shader) {
    Record("SetVertexShader", {shader == nullptr ? 0U : 1U});
    return D3D_OK;
}

HRESULT RecordingDevice::SetFVF(std::uint32_t fvf) {
    Record("SetFVF", {fvf});
    return D3D_OK;
}

HRESULT RecordingDevice::SetRenderState(D3DRENDERSTATETYPE state, std::uint32_t value) {
    Record("SetRenderState", {static_cast<std::uint32_t>(state), value});
    return D3D_OK;
}

HRESULT RecordingDevice::SetTextureStageState(std::uint32_t stage, D3DTEXTURESTAGESTATETYPE type, std::uint32_t value) {
    Record("SetTextureStageState", {stage, static_cast<std::uint32_t>(type), value});
    return D3D_OK;
}

HRESULT RecordingDevice::SetTexture(std::uint32_t stage, Texture* texture) {
    DrawLog::Call& call = Record("SetTexture", {stage});
    call.texture = texture;
    if (texture != nullptr) {
        call.text = static_cast<RecordedTexture*>(texture)->Path();
    }
    return D3D_OK;
}

HRESULT RecordingDevice::CreateVertexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t fvf,
                                            std::uint32_t pool, VertexBuffer** buffer, void* /*sharedHandle*/) {
    Record("CreateVertexBuffer", {length, usage, fvf, pool});
    if (buffer == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if (failure_ == RecordingDirect3D::Failure::VertexBuffer) {
        *buffer = nullptr;
        return E_FAIL;
    }
    *buffer = new RecordedVertexBuffer(length);
    return D3D_OK;
}

HRESULT RecordingDevice::SetStreamSource(std::uint32_t stream, VertexBuffer* buffer, std::uint32_t offset,
                                         std::uint32_t stride) {
    DrawLog::Call& call = Record("SetStreamSource", {stream, buffer == nullptr ? 0U : 1U, offset, stride});
    if (buffer != nullptr) {
        // Keeps the bound quad for assertions on the vertices Graphics wrote.
        const auto& data = static_cast<RecordedVertexBuffer*>(buffer)->Data();
        call.text.assign(reinterpret_cast<const char*>(data.data()), data.size());
    }
    return D3D_OK;
}

HRESULT RecordingDevice::DrawPrimitive(D3DPRIMITIVETYPE type, std::uint32_t startVertex, std::uint32_t primitiveCount) {
    Record("DrawPrimitive", {static_cast<std::uint32_t>(type), startVertex, primitiveCount});
    return D3D_OK;
}

HRESULT RecordingDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount, const void* data,
                                         std::uint32_t stride) {
    DrawLog::Call& call = Record("DrawPrimitiveUP", {static_cast<std::uint32_t>(type), primitiveCount, stride});
    std::uint32_t vertices = 0;
    switch (type) {
    case D3DPT_LINELIST: vertices = primitiveCount * 2; break;
    case D3DPT_LINESTRIP: vertices = primitiveCount + 1; break;
    default: vertices = 0; break;
    }
    if (data != nullptr && stride == sizeof(DebugVertex)) {
        const auto* first = static_cast<const DebugVertex*>(data);
        call.vertices.assign(first, first + vertices);
    }
    return D3D_OK;
}

HRESULT RecordingDevice::CreateTextureFromFileExA(const char* path, std::uint32_t width, std::uint32_t height,
                                                  std::uint32_t mipLevels, std::uint32_t usage, std::uint32_t format,
                                                  std::uint32_t pool, std::uint32_t filter, std::uint32_t mipFilter,
                                                  D3DCOLOR colorKey, D3DXIMAGE_INFO* sourceInfo, void* /*palette*/,
                                                  Texture** texture) {
    DrawLog::Call& call = Record("CreateTextureFromFileExA",
                                 {width, height, mipLevels, usage, format, pool, filter, mipFilter, colorKey});
    call.text = path == nullptr ? "" : path;
    log_->textureLoads.push_back(call.text);
    if (texture == nullptr || path == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *texture = nullptr;
    Image image;
    if (!LoadImageFile(path, image)) {
        return D3DERR_INVALIDCALL;
    }
    if (sourceInfo != nullptr) {
        sourceInfo->Width = image.width;
        sourceInfo->Height = image.height;
        sourceInfo->Depth = 1;
        sourceInfo->MipLevels = 1;
        sourceInfo->Format = D3DFMT_A8R8G8B8;
    }
    *texture = new RecordedTexture(log_, path, NextPowerOfTwo(image.width), NextPowerOfTwo(image.height));
    return D3D_OK;
}

HRESULT RecordingDevice::CreateFontA(int height, std::uint32_t width, std::uint32_t weight, std::uint32_t mipLevels,
                                     bool italic, std::uint32_t charSet, std::uint32_t outputPrecision,
                                     std::uint32_t quality, std::uint32_t pitchAndFamily, const char* faceName,
                                     Font** font) {
    DrawLog::Call& call = Record("CreateFontA", {static_cast<std::uint32_t>(height), width, weight, mipLevels,
                                                 italic ? 1U : 0U, charSet, outputPrecision, quality, pitchAndFamily});
    call.text = faceName == nullptr ? "" : faceName;
    if (font == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    if (failure_ == RecordingDirect3D::Failure::Font) {
        *font = nullptr;
        return E_FAIL;
    }
    *font = new RecordedFont(log_);
    return D3D_OK;
}
