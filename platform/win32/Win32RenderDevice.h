#pragma once

#include <cstdint>
#include <vector>

#include "platform/RenderDevice.h"
#include "platform/win32/NativeD3D9.h"

// The engine's render interfaces over the real Direct3D 9 / D3DX 9 objects.
// Each wrapper holds one reference of its COM object and gives it back in
// Release(). This family shares a header: they only make sense together.

class Win32Texture : public Texture {
public:
    explicit Win32Texture(IDirect3DTexture9* texture) : texture_(texture) {}
    void Release() override;
    std::uint32_t Width() const override;
    std::uint32_t Height() const override;
    IDirect3DTexture9* Native() const { return texture_; }

private:
    ~Win32Texture() override = default;
    IDirect3DTexture9* texture_;
};

class Win32VertexBuffer : public VertexBuffer {
public:
    explicit Win32VertexBuffer(IDirect3DVertexBuffer9* buffer) : buffer_(buffer) {}
    void Release() override;
    HRESULT Lock(std::uint32_t offset, std::uint32_t size, void** data, std::uint32_t flags) override;
    HRESULT Unlock() override;
    IDirect3DVertexBuffer9* Native() const { return buffer_; }

private:
    ~Win32VertexBuffer() override = default;
    IDirect3DVertexBuffer9* buffer_;
};

class Win32Font : public Font {
public:
    explicit Win32Font(ID3DXFont* font) : font_(font) {}
    void Release() override;
    int DrawTextA(void* sprite, const char* text, int count, WinRect* rect, std::uint32_t format,
                  D3DCOLOR color) override;

private:
    ~Win32Font() override = default;
    ID3DXFont* font_;
};

class Win32RenderDevice : public RenderDevice {
public:
    explicit Win32RenderDevice(IDirect3DDevice9* device) : device_(device) {}

    void Release() override;
    HRESULT Clear(std::uint32_t count, const void* rects, std::uint32_t flags, D3DCOLOR color, float z,
                  std::uint32_t stencil) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Present(const void* sourceRect, const void* destRect, WindowHandle overrideWindow,
                    const void* dirtyRegion) override;
    HRESULT GetViewport(D3DVIEWPORT9* viewport) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const Matrix* matrix) override;
    HRESULT SetVertexShader(void* shader) override;
    HRESULT SetFVF(std::uint32_t fvf) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, std::uint32_t value) override;
    HRESULT SetTextureStageState(std::uint32_t stage, D3DTEXTURESTAGESTATETYPE type, std::uint32_t value) override;
    HRESULT SetTexture(std::uint32_t stage, Texture* texture) override;
    HRESULT CreateVertexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t fvf, std::uint32_t pool,
                               VertexBuffer** buffer, void* sharedHandle) override;
    HRESULT SetStreamSource(std::uint32_t stream, VertexBuffer* buffer, std::uint32_t offset,
                            std::uint32_t stride) override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, std::uint32_t startVertex, std::uint32_t primitiveCount) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount, const void* data,
                            std::uint32_t stride) override;
    HRESULT CreateTextureFromFileExA(const char* path, std::uint32_t width, std::uint32_t height,
                                     std::uint32_t mipLevels, std::uint32_t usage, std::uint32_t format,
                                     std::uint32_t pool, std::uint32_t filter, std::uint32_t mipFilter,
                                     D3DCOLOR colorKey, D3DXIMAGE_INFO* sourceInfo, void* palette,
                                     Texture** texture) override;
    HRESULT CreateFontA(int height, std::uint32_t width, std::uint32_t weight, std::uint32_t mipLevels, bool italic,
                        std::uint32_t charSet, std::uint32_t outputPrecision, std::uint32_t quality,
                        std::uint32_t pitchAndFamily, const char* faceName, Font** font) override;

    // The back buffer as 0xAARRGGBB rows (before Present), for pixel checks.
    HRESULT ReadBackBuffer(std::uint32_t& width, std::uint32_t& height, std::vector<std::uint32_t>& pixels);

private:
    ~Win32RenderDevice() override = default;
    IDirect3DDevice9* device_;
};

class Win32Direct3D : public Direct3D {
public:
    explicit Win32Direct3D(IDirect3D9* d3d) : d3d_(d3d) {}
    void Release() override;
    HRESULT CreateDevice(std::uint32_t adapter, std::uint32_t deviceType, WindowHandle focusWindow,
                         std::uint32_t behaviorFlags, D3DPRESENT_PARAMETERS* parameters,
                         RenderDevice** device) override;

private:
    ~Win32Direct3D() override = default;
    IDirect3D9* d3d_;
};
