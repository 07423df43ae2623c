#include "platform/win32/Win32RenderDevice.h"

#include <new>

void Win32Texture::Release() {
    native::Release(texture_);
    delete this;
}

std::uint32_t Win32Texture::Width() const {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    native::TextureSize(texture_, width, height);
    return width;
}

std::uint32_t Win32Texture::Height() const {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    native::TextureSize(texture_, width, height);
    return height;
}

void Win32VertexBuffer::Release() {
    native::Release(buffer_);
    delete this;
}

HRESULT Win32VertexBuffer::Lock(std::uint32_t offset, std::uint32_t size, void** data, std::uint32_t flags) {
    return native::Lock(buffer_, offset, size, data, flags);
}

HRESULT Win32VertexBuffer::Unlock() { return native::Unlock(buffer_); }

void Win32Font::Release() {
    native::Release(font_);
    delete this;
}

int Win32Font::DrawTextA(void* /*sprite*/, const char* text, int count, WinRect* rect, std::uint32_t format,
                         D3DCOLOR color) {
    // The engine never batches text through an ID3DXSprite, so none is passed.
    native::TextRect nativeRect;
    if (rect != nullptr) {
        nativeRect = {rect->left, rect->top, rect->right, rect->bottom};
    }
    const int result = native::DrawFontText(font_, text, count, rect != nullptr ? &nativeRect : nullptr, format, color);
    if (rect != nullptr) {
        *rect = {nativeRect.left, nativeRect.top, nativeRect.right, nativeRect.bottom};
    }
    return result;
}

void Win32RenderDevice::Release() {
    native::Release(device_);
    delete this;
}

HRESULT Win32RenderDevice::Clear(std::uint32_t count, const void* rects, std::uint32_t flags, D3DCOLOR color, float z,
                                 std::uint32_t stencil) {
    return native::Clear(device_, count, rects, flags, color, z, stencil);
}

HRESULT Win32RenderDevice::BeginScene() { return native::BeginScene(device_); }

HRESULT Win32RenderDevice::EndScene() { return native::EndScene(device_); }

HRESULT Win32RenderDevice::Present(const void* sourceRect, const void* destRect, WindowHandle overrideWindow,
                                   const void* dirtyRegion) {
    return native::Present(device_, sourceRect, destRect, overrideWindow, dirtyRegion);
}

HRESULT Win32RenderDevice::GetViewport(D3DVIEWPORT9* viewport) {
    if (viewport == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    native::Viewport nativeViewport;
    const HRESULT hr = native::GetViewport(device_, nativeViewport);
    if (!Failed(hr)) {
        viewport->X = nativeViewport.x;
        viewport->Y = nativeViewport.y;
        viewport->Width = nativeViewport.width;
        viewport->Height = nativeViewport.height;
        viewport->MinZ = nativeViewport.minZ;
        viewport->MaxZ = nativeViewport.maxZ;
    }
    return hr;
}

HRESULT Win32RenderDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const Matrix* matrix) {
    if (matrix == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    static_assert(sizeof(Matrix) == 16 * sizeof(float), "Matrix must have the D3DMATRIX layout");
    return native::SetTransform(device_, state, &matrix->m[0][0]);
}

HRESULT Win32RenderDevice::SetVertexShader(void* shader) {
    // The engine draws with the fixed-function pipeline only.
    if (shader != nullptr) {
        return D3DERR_INVALIDCALL;
    }
    return native::SetNoVertexShader(device_);
}

HRESULT Win32RenderDevice::SetFVF(std::uint32_t fvf) { return native::SetFVF(device_, fvf); }

HRESULT Win32RenderDevice::SetRenderState(D3DRENDERSTATETYPE state, std::uint32_t value) {
    return native::SetRenderState(device_, state, value);
}

HRESULT Win32RenderDevice::SetTextureStageState(std::uint32_t stage, D3DTEXTURESTAGESTATETYPE type,
                                                std::uint32_t value) {
    return native::SetTextureStageState(device_, stage, type, value);
}

HRESULT Win32RenderDevice::SetTexture(std::uint32_t stage, Texture* texture) {
    // Every texture the engine holds was made by this device.
    auto* ours = static_cast<Win32Texture*>(texture);
    return native::SetTexture(device_, stage, ours != nullptr ? ours->Native() : nullptr);
}

HRESULT Win32RenderDevice::CreateVertexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t fvf,
                                              std::uint32_t pool, VertexBuffer** buffer, void* sharedHandle) {
    if (buffer == nullptr || sharedHandle != nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *buffer = nullptr;
    IDirect3DVertexBuffer9* created = nullptr;
    const HRESULT hr = native::CreateVertexBuffer(device_, length, usage, fvf, pool, &created);
    if (Failed(hr) || created == nullptr) {
        return Failed(hr) ? hr : E_FAIL;
    }
    *buffer = new (std::nothrow) Win32VertexBuffer(created);
    if (*buffer == nullptr) {
        native::Release(created);
        return E_FAIL;
    }
    return hr;
}

HRESULT Win32RenderDevice::SetStreamSource(std::uint32_t stream, VertexBuffer* buffer, std::uint32_t offset,
                                           std::uint32_t stride) {
    auto* ours = static_cast<Win32VertexBuffer*>(buffer);
    return native::SetStreamSource(device_, stream, ours != nullptr ? ours->Native() : nullptr, offset, stride);
}

HRESULT Win32RenderDevice::DrawPrimitive(D3DPRIMITIVETYPE type, std::uint32_t startVertex,
                                         std::uint32_t primitiveCount) {
    return native::DrawPrimitive(device_, type, startVertex, primitiveCount);
}

HRESULT Win32RenderDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount, const void* data,
                                           std::uint32_t stride) {
    return native::DrawPrimitiveUP(device_, type, primitiveCount, data, stride);
}

HRESULT Win32RenderDevice::CreateTextureFromFileExA(const char* path, std::uint32_t width, std::uint32_t height,
                                                    std::uint32_t mipLevels, std::uint32_t usage, std::uint32_t format,
                                                    std::uint32_t pool, std::uint32_t filter, std::uint32_t mipFilter,
                                                    D3DCOLOR colorKey, D3DXIMAGE_INFO* sourceInfo, void* palette,
                                                    Texture** texture) {
    if (texture == nullptr || path == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *texture = nullptr;
    native::ImageInfo info;
    IDirect3DTexture9* created = nullptr;
    const HRESULT hr = native::CreateTextureFromFileEx(device_, path, width, height, mipLevels, usage, format, pool,
                                                       filter, mipFilter, colorKey, &info, palette, &created);
    if (Failed(hr) || created == nullptr) {
        return Failed(hr) ? hr : E_FAIL;
    }
    *texture = new (std::nothrow) Win32Texture(created);
    if (*texture == nullptr) {
        native::Release(created);
        return E_FAIL;
    }
    if (sourceInfo != nullptr) {
        sourceInfo->Width = info.width;
        sourceInfo->Height = info.height;
        sourceInfo->Depth = info.depth;
        sourceInfo->MipLevels = info.mipLevels;
        sourceInfo->Format = info.format;
    }
    return hr;
}

HRESULT Win32RenderDevice::CreateFontA(int height, std::uint32_t width, std::uint32_t weight, std::uint32_t mipLevels,
                                       bool italic, std::uint32_t charSet, std::uint32_t outputPrecision,
                                       std::uint32_t quality, std::uint32_t pitchAndFamily, const char* faceName,
                                       Font** font) {
    if (font == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *font = nullptr;
    ID3DXFont* created = nullptr;
    const HRESULT hr = native::MakeFont(device_, height, width, weight, mipLevels, italic, charSet, outputPrecision,
                                        quality, pitchAndFamily, faceName, &created);
    if (Failed(hr) || created == nullptr) {
        return Failed(hr) ? hr : E_FAIL;
    }
    *font = new (std::nothrow) Win32Font(created);
    if (*font == nullptr) {
        native::Release(created);
        return E_FAIL;
    }
    return hr;
}

HRESULT Win32RenderDevice::ReadBackBuffer(std::uint32_t& width, std::uint32_t& height,
                                          std::vector<std::uint32_t>& pixels) {
    return native::ReadBackBuffer(device_, width, height, pixels);
}

void Win32Direct3D::Release() {
    native::Release(d3d_);
    delete this;
}

HRESULT Win32Direct3D::CreateDevice(std::uint32_t adapter, std::uint32_t deviceType, WindowHandle focusWindow,
                                    std::uint32_t behaviorFlags, D3DPRESENT_PARAMETERS* parameters,
                                    RenderDevice** device) {
    if (device == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *device = nullptr;
    if (parameters == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    native::PresentParameters nativeParameters;
    nativeParameters.backBufferWidth = parameters->BackBufferWidth;
    nativeParameters.backBufferHeight = parameters->BackBufferHeight;
    nativeParameters.backBufferFormat = parameters->BackBufferFormat;
    nativeParameters.backBufferCount = parameters->BackBufferCount;
    nativeParameters.multiSampleType = parameters->MultiSampleType;
    nativeParameters.multiSampleQuality = parameters->MultiSampleQuality;
    nativeParameters.swapEffect = parameters->SwapEffect;
    nativeParameters.deviceWindow = parameters->hDeviceWindow;
    nativeParameters.windowed = parameters->Windowed;
    nativeParameters.enableAutoDepthStencil = parameters->EnableAutoDepthStencil;
    nativeParameters.autoDepthStencilFormat = parameters->AutoDepthStencilFormat;
    nativeParameters.flags = parameters->Flags;
    nativeParameters.refreshRate = parameters->FullScreen_RefreshRateInHz;
    nativeParameters.presentationInterval = parameters->PresentationInterval;
    IDirect3DDevice9* created = nullptr;
    const HRESULT hr =
        native::CreateDevice(d3d_, adapter, deviceType, focusWindow, behaviorFlags, nativeParameters, &created);
    parameters->BackBufferWidth = nativeParameters.backBufferWidth;
    parameters->BackBufferHeight = nativeParameters.backBufferHeight;
    parameters->BackBufferFormat = nativeParameters.backBufferFormat;
    parameters->BackBufferCount = nativeParameters.backBufferCount;
    if (Failed(hr) || created == nullptr) {
        return Failed(hr) ? hr : E_FAIL;
    }
    *device = new (std::nothrow) Win32RenderDevice(created);
    if (*device == nullptr) {
        native::Release(created);
        return E_FAIL;
    }
    return hr;
}
