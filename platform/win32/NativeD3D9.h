#pragma once

#include <cstdint>
#include <vector>

// The Direct3D 9 and D3DX 9 calls of the Windows backend behind plain types.
// Only NativeD3D9.cpp includes <d3d9.h> and <d3dx9.h>; the engine's render
// interface uses the same names as those headers' macros, so each side stays
// in its own translation unit. Results are HRESULTs (negative on failure).
struct IDirect3D9;
struct IDirect3DDevice9;
struct IDirect3DTexture9;
struct IDirect3DVertexBuffer9;
struct ID3DXFont;

namespace native {

struct PresentParameters {
    std::uint32_t backBufferWidth = 0;
    std::uint32_t backBufferHeight = 0;
    std::uint32_t backBufferFormat = 0;
    std::uint32_t backBufferCount = 0;
    std::uint32_t multiSampleType = 0;
    std::uint32_t multiSampleQuality = 0;
    std::uint32_t swapEffect = 0;
    void* deviceWindow = nullptr;
    bool windowed = false;
    bool enableAutoDepthStencil = false;
    std::uint32_t autoDepthStencilFormat = 0;
    std::uint32_t flags = 0;
    std::uint32_t refreshRate = 0;
    std::uint32_t presentationInterval = 0;
};

struct Viewport {
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    float minZ = 0.0f;
    float maxZ = 1.0f;
};

struct ImageInfo {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t depth = 0;
    std::uint32_t mipLevels = 0;
    std::uint32_t format = 0;
};

struct TextRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

IDirect3D9* Direct3DCreate9(std::uint32_t sdkVersion);
void Release(IDirect3D9* d3d);
void Release(IDirect3DDevice9* device);
void Release(IDirect3DTexture9* texture);
void Release(IDirect3DVertexBuffer9* buffer);
void Release(ID3DXFont* font);

std::int32_t CreateDevice(IDirect3D9* d3d, std::uint32_t adapter, std::uint32_t deviceType, void* focusWindow,
                          std::uint32_t behaviorFlags, PresentParameters& parameters, IDirect3DDevice9** device);

std::int32_t Clear(IDirect3DDevice9* device, std::uint32_t count, const void* rects, std::uint32_t flags,
                   std::uint32_t color, float z, std::uint32_t stencil);
std::int32_t BeginScene(IDirect3DDevice9* device);
std::int32_t EndScene(IDirect3DDevice9* device);
std::int32_t Present(IDirect3DDevice9* device, const void* sourceRect, const void* destRect, void* overrideWindow,
                     const void* dirtyRegion);
std::int32_t GetViewport(IDirect3DDevice9* device, Viewport& viewport);
// `matrix` is 16 floats, row by row (the D3DMATRIX layout).
std::int32_t SetTransform(IDirect3DDevice9* device, std::uint32_t state, const float* matrix);
// Only the fixed-function pipeline is used: the shader is always null.
std::int32_t SetNoVertexShader(IDirect3DDevice9* device);
std::int32_t SetFVF(IDirect3DDevice9* device, std::uint32_t fvf);
std::int32_t SetRenderState(IDirect3DDevice9* device, std::uint32_t state, std::uint32_t value);
std::int32_t SetTextureStageState(IDirect3DDevice9* device, std::uint32_t stage, std::uint32_t type,
                                  std::uint32_t value);
std::int32_t SetTexture(IDirect3DDevice9* device, std::uint32_t stage, IDirect3DTexture9* texture);
std::int32_t CreateVertexBuffer(IDirect3DDevice9* device, std::uint32_t length, std::uint32_t usage, std::uint32_t fvf,
                                std::uint32_t pool, IDirect3DVertexBuffer9** buffer);
std::int32_t SetStreamSource(IDirect3DDevice9* device, std::uint32_t stream, IDirect3DVertexBuffer9* buffer,
                             std::uint32_t offset, std::uint32_t stride);
std::int32_t DrawPrimitive(IDirect3DDevice9* device, std::uint32_t type, std::uint32_t startVertex,
                           std::uint32_t primitiveCount);
std::int32_t DrawPrimitiveUP(IDirect3DDevice9* device, std::uint32_t type, std::uint32_t primitiveCount,
                             const void* data, std::uint32_t stride);

std::int32_t Lock(IDirect3DVertexBuffer9* buffer, std::uint32_t offset, std::uint32_t size, void** data,
                  std::uint32_t flags);
std::int32_t Unlock(IDirect3DVertexBuffer9* buffer);

// Size of the top level of the texture; zero when it cannot be read.
void TextureSize(IDirect3DTexture9* texture, std::uint32_t& width, std::uint32_t& height);

std::int32_t CreateTextureFromFileEx(IDirect3DDevice9* device, const char* path, std::uint32_t width,
                                     std::uint32_t height, std::uint32_t mipLevels, std::uint32_t usage,
                                     std::uint32_t format, std::uint32_t pool, std::uint32_t filter,
                                     std::uint32_t mipFilter, std::uint32_t colorKey, ImageInfo* sourceInfo,
                                     void* palette, IDirect3DTexture9** texture);
std::int32_t MakeFont(IDirect3DDevice9* device, int height, std::uint32_t width, std::uint32_t weight,
                      std::uint32_t mipLevels, bool italic, std::uint32_t charSet, std::uint32_t outputPrecision,
                      std::uint32_t quality, std::uint32_t pitchAndFamily, const char* faceName, ID3DXFont** font);
int DrawFontText(ID3DXFont* font, const char* text, int count, TextRect* rect, std::uint32_t format,
                 std::uint32_t color);

// Copies the back buffer (A8R8G8B8 or X8R8G8B8) into `pixels`, row by row,
// as 0xAARRGGBB. Call before Present: a discarded buffer is undefined after.
std::int32_t ReadBackBuffer(IDirect3DDevice9* device, std::uint32_t& width, std::uint32_t& height,
                            std::vector<std::uint32_t>& pixels);

}  // namespace native
