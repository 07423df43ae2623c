#include <gtest/gtest.h>

#include <stb_image_write.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/Matrix.h"
#include "harness/TempData.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32RenderDevice.h"

namespace {

LRESULT IgnoringProc(WindowHandle, UINT, WPARAM, LPARAM) { return 0; }

constexpr D3DCOLOR kBlue = 0xFF0000FFU;
constexpr D3DCOLOR kRed = 0xFFFF0000U;
constexpr D3DCOLOR kGreen = 0xFF00FF00U;

// A window and a device made with the graphics system's parameters and
// states; every test reads the back buffer before presenting.
class Win32RenderDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = platform.CreateMainWindow("VelmorDeviceTest", "device", 640, 480, &IgnoringProc);
        ASSERT_NE(window, nullptr);
        d3d = platform.Direct3DCreate9(D3D_SDK_VERSION);
        ASSERT_NE(d3d, nullptr);
        D3DPRESENT_PARAMETERS parameters{.BackBufferWidth = 1280,
                                         .BackBufferHeight = 1024,
                                         .SwapEffect = D3DSWAPEFFECT_DISCARD,
                                         .Windowed = true,
                                         .EnableAutoDepthStencil = true,
                                         .AutoDepthStencilFormat = D3DFMT_D16};
        RenderDevice* created = nullptr;
        ASSERT_FALSE(Failed(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                              D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &created)));
        ASSERT_NE(created, nullptr);
        device = static_cast<Win32RenderDevice*>(created);

        D3DVIEWPORT9 viewport;
        ASSERT_FALSE(Failed(device->GetViewport(&viewport)));
        ASSERT_EQ(viewport.Width, 1280U);
        ASSERT_EQ(viewport.Height, 1024U);
        const Matrix projection = OrthoLH(1280.0f, 1024.0f, 1.0f, 10.0f);
        const Matrix identity = Identity();
        device->SetTransform(D3DTS_PROJECTION, &projection);
        device->SetTransform(D3DTS_VIEW, &identity);
        device->SetTransform(D3DTS_WORLD, &identity);
        EXPECT_FALSE(Failed(device->SetVertexShader(nullptr)));
        device->SetFVF(D3DFVF_XYZ | D3DFVF_TEX1);
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device->SetRenderState(D3DRS_LIGHTING, 0);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
        device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    }

    void TearDown() override {
        if (device != nullptr) {
            device->SetStreamSource(0, nullptr, 0, 0);
        }
        if (texture != nullptr) texture->Release();
        if (quad != nullptr) quad->Release();
        if (device != nullptr) device->Release();
        if (d3d != nullptr) d3d->Release();
        platform.DestroyMainWindow(window, "VelmorDeviceTest");
    }

    void MakeQuad() {
        ASSERT_FALSE(Failed(device->CreateVertexBuffer(80, D3DUSAGE_WRITEONLY, D3DFVF_XYZ | D3DFVF_TEX1,
                                                       D3DPOOL_MANAGED, &quad, nullptr)));
        const QuadVertex vertices[4] = {{0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}, {1, -1, 0, 1, 1}, {0, -1, 0, 0, 1}};
        void* data = nullptr;
        ASSERT_FALSE(Failed(quad->Lock(0, 80, &data, 0)));
        std::memcpy(data, vertices, sizeof(vertices));
        ASSERT_FALSE(Failed(quad->Unlock()));
        ASSERT_FALSE(Failed(device->SetStreamSource(0, quad, 0, sizeof(QuadVertex))));
    }

    // The sprite placement: the rectangle (x - sx, y - sy) to (x + sx, y + sy)
    // of the 1280 x 1024 space at depth d.
    void DrawSprite(float x, float y, float sx, float sy, float d) {
        const Matrix world = Multiply(Scaling(2 * sx, 2 * sy, 1), Translation(x - sx - 640.0f, sy - y + 512.0f, d));
        device->SetTransform(D3DTS_WORLD, &world);
        device->SetTexture(0, texture);
        EXPECT_FALSE(Failed(device->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2)));
    }

    D3DCOLOR Pixel(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x] | 0xFF000000U; }

    void ReadBack() {
        ASSERT_FALSE(Failed(device->ReadBackBuffer(width, height, pixels)));
        ASSERT_EQ(width, 1280U);
        ASSERT_EQ(height, 1024U);
    }

    Win32Platform platform;
    WindowHandle window = nullptr;
    Direct3D* d3d = nullptr;
    Win32RenderDevice* device = nullptr;
    VertexBuffer* quad = nullptr;
    Texture* texture = nullptr;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint32_t> pixels;
};

// A 3 x 2 image: top row red, bottom row green, all opaque.
void WriteTwoRowImage(const std::string& path) {
    const unsigned char rgba[2 * 3 * 4] = {255, 0,   0, 255, 255, 0,   0, 255, 255, 0,   0, 255,
                                           0,   255, 0, 255, 0,   255, 0, 255, 0,   255, 0, 255};
    ASSERT_NE(stbi_write_png(path.c_str(), 3, 2, 4, rgba, 3 * 4), 0);
}

Texture* LoadFileTexture(RenderDevice& device, const std::string& path, D3DXIMAGE_INFO* info = nullptr) {
    Texture* texture = nullptr;
    D3DXIMAGE_INFO ignored;
    const HRESULT hr =
        device.CreateTextureFromFileExA(path.c_str(), 0, 0, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_FILTER_NONE,
                                        D3DX_DEFAULT, 0, info != nullptr ? info : &ignored, nullptr, &texture);
    EXPECT_EQ(Failed(hr), texture == nullptr);
    return texture;
}

TEST_F(Win32RenderDeviceTest, ClearFillsTheBackBuffer) {
    ASSERT_FALSE(Failed(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlue, 1.0f, 0)));
    ReadBack();
    EXPECT_EQ(Pixel(0, 0), kBlue);
    EXPECT_EQ(Pixel(1279, 1023), kBlue);
}

TEST_F(Win32RenderDeviceTest, AFileTextureIsRoundedUpToPowersOfTwoWithTheImageTopLeft) {
    TempData data;
    const std::string path = data.Root() + "Data/Images/rows.png";
    WriteTwoRowImage(path);
    D3DXIMAGE_INFO info;
    texture = LoadFileTexture(*device, path, &info);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->Width(), 4U);
    EXPECT_EQ(texture->Height(), 2U);
    EXPECT_EQ(info.Width, 3U);
    EXPECT_EQ(info.Height, 2U);

    MakeQuad();
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlue, 1.0f, 0);
    ASSERT_FALSE(Failed(device->BeginScene()));
    // Covers x 50..150, y 50..150: three texel columns of 25 pixels show the
    // image, the fourth is the transparent margin.
    DrawSprite(100, 100, 50, 50, 5);
    ASSERT_FALSE(Failed(device->EndScene()));
    ReadBack();
    EXPECT_EQ(Pixel(60, 60), kRed) << "the image's top row is at the top";
    EXPECT_EQ(Pixel(115, 75), kRed);
    EXPECT_EQ(Pixel(60, 140), kGreen);
    EXPECT_EQ(Pixel(140, 60), kBlue) << "the margin blends away";
    EXPECT_EQ(Pixel(20, 20), kBlue) << "nothing outside the rectangle";
    EXPECT_EQ(Pixel(160, 100), kBlue);
}

TEST_F(Win32RenderDeviceTest, DepthTestsAndClipsToTheNearAndFarPlanes) {
    TempData data;
    const std::string path = data.Root() + "Data/Images/rows.png";
    WriteTwoRowImage(path);
    texture = LoadFileTexture(*device, path);
    ASSERT_NE(texture, nullptr);
    MakeQuad();
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlue, 1.0f, 0);
    ASSERT_FALSE(Failed(device->BeginScene()));
    DrawSprite(300, 300, 50, 50, 12.0f);  // beyond the far plane
    DrawSprite(500, 300, 50, 50, 0.5f);   // before the near plane
    DrawSprite(700, 300, 50, 50, 3.0f);   // near one first
    Texture* nearTexture = texture;
    texture = nullptr;
    DrawSprite(700, 300, 50, 50, 4.0f);  // farther, untextured: hidden
    texture = nearTexture;
    device->EndScene();
    ReadBack();
    EXPECT_EQ(Pixel(270, 270), kBlue);
    EXPECT_EQ(Pixel(470, 270), kBlue);
    EXPECT_EQ(Pixel(670, 270), kRed);
}

TEST_F(Win32RenderDeviceTest, UntexturedDebugLinesUseTheirVertexColour) {
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kBlue, 1.0f, 0);
    ASSERT_FALSE(Failed(device->BeginScene()));
    device->SetTexture(0, nullptr);
    device->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    // A horizontal red strip of three lines at game y = 400.5, x 100..300.
    const DebugVertex line[2] = {{100 - 640.0f, 512 - 400.5f, 1.0f, kRed}, {300 - 640.0f, 512 - 400.5f, 1.0f, kRed}};
    EXPECT_FALSE(Failed(device->DrawPrimitiveUP(D3DPT_LINELIST, 1, line, sizeof(DebugVertex))));
    device->EndScene();
    ReadBack();
    int red = 0;
    for (int y = 398; y <= 403; ++y) {
        if (Pixel(200, y) == kRed) ++red;
    }
    EXPECT_GE(red, 1);
    EXPECT_EQ(Pixel(200, 390), kBlue);
    EXPECT_EQ(Pixel(50, 400), kBlue);
}

TEST_F(Win32RenderDeviceTest, MissingOrBrokenImagesFailWithoutATexture) {
    TempData data;
    EXPECT_EQ(LoadFileTexture(*device, data.Root() + "Data/Images/absent.png"), nullptr);
    data.Write("Data/Images/broken.png", "\x89PNG\r\n\x1a\n this is no image");
    EXPECT_EQ(LoadFileTexture(*device, data.Root() + "Data/Images/broken.png"), nullptr);
    data.Write("Data/Images/empty.png", "");
    EXPECT_EQ(LoadFileTexture(*device, data.Root() + "Data/Images/empty.png"), nullptr);
}

TEST_F(Win32RenderDeviceTest, TheFrameRateFontDrawsBlackText) {
    Font* font = nullptr;
    ASSERT_FALSE(Failed(device->CreateFontA(40, 0, 700, 0, false, DEFAULT_CHARSET, 0, 0, 0, "Arial", &font)));
    ASSERT_NE(font, nullptr);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFFFFFFFFU, 1.0f, 0);
    ASSERT_FALSE(Failed(device->BeginScene()));
    WinRect rect{20, 20, 0, 0};
    EXPECT_GT(font->DrawTextA(nullptr, "Framerate: 62", -1, &rect, DT_NOCLIP, 0xFF000000U), 0);
    device->EndScene();
    ReadBack();
    font->Release();
    int dark = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 400; ++x) {
            if ((Pixel(x, y) & 0xFFFFFF) == 0) ++dark;
        }
    }
    EXPECT_GT(dark, 50);
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 400; ++x) {
            ASSERT_EQ(Pixel(x, y), 0xFFFFFFFFU) << "text above its rectangle at " << x << "," << y;
        }
    }
}

TEST_F(Win32RenderDeviceTest, PresentingToADestroyedWindowFailsQuietly) {
    platform.DestroyMainWindow(window, "VelmorDeviceTest");
    for (int frame = 0; frame < 3; ++frame) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET, kBlue, 1.0f, 0);
        if (!Failed(device->BeginScene())) {
            device->EndScene();
        }
        device->Present(nullptr, nullptr, nullptr, nullptr);
    }
    window = platform.CreateMainWindow("VelmorDeviceTest", "device", 640, 480, &IgnoringProc);
    EXPECT_NE(window, nullptr);
}

TEST(Win32Direct3D, ADeviceThatCannotBeMadeComesBackNull) {
    Win32Platform platform;
    WindowHandle window = platform.CreateMainWindow("VelmorNoDevice", "no device", 320, 200, &IgnoringProc);
    ASSERT_NE(window, nullptr);
    Direct3D* d3d = platform.Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);
    D3DPRESENT_PARAMETERS parameters{
        .BackBufferWidth = 1280, .BackBufferHeight = 1024, .SwapEffect = D3DSWAPEFFECT_DISCARD, .Windowed = true};
    RenderDevice* device = reinterpret_cast<RenderDevice*>(0x1);
    // There is no eighth adapter.
    EXPECT_TRUE(Failed(
        d3d->CreateDevice(7, D3DDEVTYPE_HAL, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device)));
    EXPECT_EQ(device, nullptr);
    device = reinterpret_cast<RenderDevice*>(0x1);
    EXPECT_TRUE(Failed(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                         D3DCREATE_SOFTWARE_VERTEXPROCESSING, nullptr, &device)));
    EXPECT_EQ(device, nullptr);
    d3d->Release();
    platform.DestroyMainWindow(window, "VelmorNoDevice");
}

}  // namespace
