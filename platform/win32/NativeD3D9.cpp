#include "platform/win32/NativeD3D9.h"

#include "core/WindowsApi.h"
#include <d3d9.h>
#include <d3dx9.h>

#include <cstring>

#include "platform/ImageFile.h"

namespace native {
namespace {

template <class T>
void ReleaseInterface(T* object) {
    if (object != nullptr) {
        object->Release();
    }
}

constexpr std::int32_t kInvalidCall = static_cast<std::int32_t>(D3DERR_INVALIDCALL);

}  // namespace

IDirect3D9* Direct3DCreate9(std::uint32_t sdkVersion) { return ::Direct3DCreate9(sdkVersion); }

void Release(IDirect3D9* d3d) { ReleaseInterface(d3d); }
void Release(IDirect3DDevice9* device) { ReleaseInterface(device); }
void Release(IDirect3DTexture9* texture) { ReleaseInterface(texture); }
void Release(IDirect3DVertexBuffer9* buffer) { ReleaseInterface(buffer); }
void Release(ID3DXFont* font) { ReleaseInterface(font); }

std::int32_t CreateDevice(IDirect3D9* d3d, std::uint32_t adapter, std::uint32_t deviceType, void* focusWindow,
                          std::uint32_t behaviorFlags, PresentParameters& parameters, IDirect3DDevice9** device) {
    if (d3d == nullptr || device == nullptr) {
        return kInvalidCall;
    }
    D3DPRESENT_PARAMETERS d3dParameters;
    std::memset(&d3dParameters, 0, sizeof(d3dParameters));
    d3dParameters.BackBufferWidth = parameters.backBufferWidth;
    d3dParameters.BackBufferHeight = parameters.backBufferHeight;
    d3dParameters.BackBufferFormat = static_cast<D3DFORMAT>(parameters.backBufferFormat);
    d3dParameters.BackBufferCount = parameters.backBufferCount;
    d3dParameters.MultiSampleType = static_cast<D3DMULTISAMPLE_TYPE>(parameters.multiSampleType);
    d3dParameters.MultiSampleQuality = parameters.multiSampleQuality;
    d3dParameters.SwapEffect = static_cast<D3DSWAPEFFECT>(parameters.swapEffect);
    d3dParameters.hDeviceWindow = static_cast<HWND>(parameters.deviceWindow);
    d3dParameters.Windowed = parameters.windowed ? TRUE : FALSE;
    d3dParameters.EnableAutoDepthStencil = parameters.enableAutoDepthStencil ? TRUE : FALSE;
    d3dParameters.AutoDepthStencilFormat = static_cast<D3DFORMAT>(parameters.autoDepthStencilFormat);
    d3dParameters.Flags = parameters.flags;
    d3dParameters.FullScreen_RefreshRateInHz = parameters.refreshRate;
    d3dParameters.PresentationInterval = parameters.presentationInterval;
    *device = nullptr;
    const HRESULT hr = d3d->CreateDevice(adapter, static_cast<D3DDEVTYPE>(deviceType), static_cast<HWND>(focusWindow),
                                         behaviorFlags, &d3dParameters, device);
    // The device may adjust the parameters (the back-buffer count, the
    // format taken from the desktop); hand them back as Direct3D does.
    parameters.backBufferWidth = d3dParameters.BackBufferWidth;
    parameters.backBufferHeight = d3dParameters.BackBufferHeight;
    parameters.backBufferFormat = static_cast<std::uint32_t>(d3dParameters.BackBufferFormat);
    parameters.backBufferCount = d3dParameters.BackBufferCount;
    if (FAILED(hr)) {
        *device = nullptr;
    }
    return hr;
}

std::int32_t Clear(IDirect3DDevice9* device, std::uint32_t count, const void* rects, std::uint32_t flags,
                   std::uint32_t color, float z, std::uint32_t stencil) {
    return device->Clear(count, static_cast<const D3DRECT*>(rects), flags, color, z, stencil);
}

std::int32_t BeginScene(IDirect3DDevice9* device) { return device->BeginScene(); }
std::int32_t EndScene(IDirect3DDevice9* device) { return device->EndScene(); }

std::int32_t Present(IDirect3DDevice9* device, const void* sourceRect, const void* destRect, void* overrideWindow,
                     const void* dirtyRegion) {
    return device->Present(static_cast<const RECT*>(sourceRect), static_cast<const RECT*>(destRect),
                           static_cast<HWND>(overrideWindow), static_cast<const RGNDATA*>(dirtyRegion));
}

std::int32_t GetViewport(IDirect3DDevice9* device, Viewport& viewport) {
    D3DVIEWPORT9 d3dViewport = {};
    const HRESULT hr = device->GetViewport(&d3dViewport);
    if (SUCCEEDED(hr)) {
        viewport = {d3dViewport.X,      d3dViewport.Y,    d3dViewport.Width,
                    d3dViewport.Height, d3dViewport.MinZ, d3dViewport.MaxZ};
    }
    return hr;
}

std::int32_t SetTransform(IDirect3DDevice9* device, std::uint32_t state, const float* matrix) {
    D3DMATRIX d3dMatrix;
    static_assert(sizeof(d3dMatrix.m) == 16 * sizeof(float));
    std::memcpy(d3dMatrix.m, matrix, sizeof(d3dMatrix.m));
    return device->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(state), &d3dMatrix);
}

std::int32_t SetNoVertexShader(IDirect3DDevice9* device) { return device->SetVertexShader(nullptr); }

std::int32_t SetFVF(IDirect3DDevice9* device, std::uint32_t fvf) { return device->SetFVF(fvf); }

std::int32_t SetRenderState(IDirect3DDevice9* device, std::uint32_t state, std::uint32_t value) {
    return device->SetRenderState(static_cast<D3DRENDERSTATETYPE>(state), value);
}

std::int32_t SetTextureStageState(IDirect3DDevice9* device, std::uint32_t stage, std::uint32_t type,
                                  std::uint32_t value) {
    return device->SetTextureStageState(stage, static_cast<D3DTEXTURESTAGESTATETYPE>(type), value);
}

std::int32_t SetTexture(IDirect3DDevice9* device, std::uint32_t stage, IDirect3DTexture9* texture) {
    return device->SetTexture(stage, texture);
}

std::int32_t CreateVertexBuffer(IDirect3DDevice9* device, std::uint32_t length, std::uint32_t usage, std::uint32_t fvf,
                                std::uint32_t pool, IDirect3DVertexBuffer9** buffer) {
    if (buffer == nullptr) {
        return kInvalidCall;
    }
    *buffer = nullptr;
    const HRESULT hr = device->CreateVertexBuffer(length, usage, fvf, static_cast<D3DPOOL>(pool), buffer, nullptr);
    if (FAILED(hr)) {
        *buffer = nullptr;
    }
    return hr;
}

std::int32_t SetStreamSource(IDirect3DDevice9* device, std::uint32_t stream, IDirect3DVertexBuffer9* buffer,
                             std::uint32_t offset, std::uint32_t stride) {
    return device->SetStreamSource(stream, buffer, offset, stride);
}

std::int32_t DrawPrimitive(IDirect3DDevice9* device, std::uint32_t type, std::uint32_t startVertex,
                           std::uint32_t primitiveCount) {
    return device->DrawPrimitive(static_cast<D3DPRIMITIVETYPE>(type), startVertex, primitiveCount);
}

std::int32_t DrawPrimitiveUP(IDirect3DDevice9* device, std::uint32_t type, std::uint32_t primitiveCount,
                             const void* data, std::uint32_t stride) {
    return device->DrawPrimitiveUP(static_cast<D3DPRIMITIVETYPE>(type), primitiveCount, data, stride);
}

std::int32_t Lock(IDirect3DVertexBuffer9* buffer, std::uint32_t offset, std::uint32_t size, void** data,
                  std::uint32_t flags) {
    return buffer->Lock(offset, size, data, flags);
}

std::int32_t Unlock(IDirect3DVertexBuffer9* buffer) { return buffer->Unlock(); }

void TextureSize(IDirect3DTexture9* texture, std::uint32_t& width, std::uint32_t& height) {
    D3DSURFACE_DESC description = {};
    if (texture == nullptr || FAILED(texture->GetLevelDesc(0, &description))) {
        width = 0;
        height = 0;
        return;
    }
    width = description.Width;
    height = description.Height;
}

std::int32_t CreateTextureFromFileEx(IDirect3DDevice9* device, const char* path, std::uint32_t width,
                                     std::uint32_t height, std::uint32_t mipLevels, std::uint32_t usage,
                                     std::uint32_t format, std::uint32_t pool, std::uint32_t filter,
                                     std::uint32_t mipFilter, std::uint32_t colorKey, ImageInfo* sourceInfo,
                                     void* palette, IDirect3DTexture9** texture) {
    if (texture == nullptr) {
        return kInvalidCall;
    }
    *texture = nullptr;
    // A width or height of 0 or D3DX_DEFAULT is documented to take the
    // file's size rounded up to a power of two; Wine's D3DX keeps the file's
    // size when the device allows other sizes. Resolving the size here gives
    // the documented texture everywhere (with D3DX_FILTER_NONE the image then
    // fills the top-left corner and the rest is transparent black).
    if (width == 0 || width == D3DX_DEFAULT || height == 0 || height == D3DX_DEFAULT) {
        D3DXIMAGE_INFO fileInfo = {};
        const HRESULT infoResult = D3DXGetImageInfoFromFileA(path, &fileInfo);
        if (FAILED(infoResult)) {
            return infoResult;
        }
        if (width == 0 || width == D3DX_DEFAULT) {
            width = NextPowerOfTwo(fileInfo.Width);
        }
        if (height == 0 || height == D3DX_DEFAULT) {
            height = NextPowerOfTwo(fileInfo.Height);
        }
    }
    D3DXIMAGE_INFO info = {};
    const HRESULT hr = D3DXCreateTextureFromFileExA(
        device, path, width, height, mipLevels, usage, static_cast<D3DFORMAT>(format), static_cast<D3DPOOL>(pool),
        filter, mipFilter, colorKey, &info, static_cast<PALETTEENTRY*>(palette), texture);
    if (FAILED(hr)) {
        *texture = nullptr;
        return hr;
    }
    if (sourceInfo != nullptr) {
        *sourceInfo = {info.Width, info.Height, info.Depth, info.MipLevels, static_cast<std::uint32_t>(info.Format)};
    }
    return hr;
}

std::int32_t MakeFont(IDirect3DDevice9* device, int height, std::uint32_t width, std::uint32_t weight,
                      std::uint32_t mipLevels, bool italic, std::uint32_t charSet, std::uint32_t outputPrecision,
                      std::uint32_t quality, std::uint32_t pitchAndFamily, const char* faceName, ID3DXFont** font) {
    if (font == nullptr) {
        return kInvalidCall;
    }
    *font = nullptr;
    const HRESULT hr = D3DXCreateFontA(device, height, width, weight, mipLevels, italic ? TRUE : FALSE, charSet,
                                       outputPrecision, quality, pitchAndFamily, faceName, font);
    if (FAILED(hr)) {
        *font = nullptr;
    }
    return hr;
}

int DrawFontText(ID3DXFont* font, const char* text, int count, TextRect* rect, std::uint32_t format,
                 std::uint32_t color) {
    RECT d3dRect = {};
    if (rect != nullptr) {
        d3dRect = {rect->left, rect->top, rect->right, rect->bottom};
    }
    const int result = font->DrawTextA(nullptr, text, count, rect != nullptr ? &d3dRect : nullptr, format, color);
    if (rect != nullptr) {
        *rect = {d3dRect.left, d3dRect.top, d3dRect.right, d3dRect.bottom};
    }
    return result;
}

std::int32_t ReadBackBuffer(IDirect3DDevice9* device, std::uint32_t& width, std::uint32_t& height,
                            std::vector<std::uint32_t>& pixels) {
    IDirect3DSurface9* backBuffer = nullptr;
    HRESULT hr = device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer);
    if (FAILED(hr)) {
        return hr;
    }
    D3DSURFACE_DESC description = {};
    backBuffer->GetDesc(&description);
    if (description.Format != D3DFMT_A8R8G8B8 && description.Format != D3DFMT_X8R8G8B8) {
        backBuffer->Release();
        return kInvalidCall;
    }
    IDirect3DSurface9* copy = nullptr;
    hr = device->CreateOffscreenPlainSurface(description.Width, description.Height, description.Format,
                                             D3DPOOL_SYSTEMMEM, &copy, nullptr);
    if (SUCCEEDED(hr)) {
        hr = device->GetRenderTargetData(backBuffer, copy);
    }
    D3DLOCKED_RECT locked = {};
    if (SUCCEEDED(hr)) {
        hr = copy->LockRect(&locked, nullptr, D3DLOCK_READONLY);
    }
    if (SUCCEEDED(hr)) {
        width = description.Width;
        height = description.Height;
        pixels.resize(static_cast<std::size_t>(width) * height);
        for (std::uint32_t row = 0; row < height; ++row) {
            std::memcpy(&pixels[static_cast<std::size_t>(row) * width],
                        static_cast<const std::uint8_t*>(locked.pBits) + static_cast<std::size_t>(row) * locked.Pitch,
                        static_cast<std::size_t>(width) * 4);
        }
        copy->UnlockRect();
    }
    if (copy != nullptr) {
        copy->Release();
    }
    backBuffer->Release();
    return hr;
}

}  // namespace native
