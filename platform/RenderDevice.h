#pragma once

#include <cstdint>
#include <string>

#include "core/Matrix.h"
#include "core/WinTypes.h"

// The subset of the Direct3D 9 / D3DX 9 interfaces that the graphics system
// and sprites call. Names, arguments and constants follow the calls they
// stand for, so that each backend is a direct mapping. Results are HRESULT
// style: negative means failure.

using HRESULT = std::int32_t;
using D3DCOLOR = std::uint32_t;

constexpr HRESULT D3D_OK = 0;
constexpr HRESULT D3DERR_INVALIDCALL = static_cast<HRESULT>(0x8876086CU);
constexpr HRESULT D3DERR_NOTAVAILABLE = static_cast<HRESULT>(0x8876086AU);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005U);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000EU);
// D3DX's answer for a file it cannot read or decode.
constexpr HRESULT D3DXERR_INVALIDDATA = static_cast<HRESULT>(0x88760B59U);

constexpr bool Failed(HRESULT hr) { return hr < 0; }

constexpr std::uint32_t D3D_SDK_VERSION = 32;
constexpr std::uint32_t D3DADAPTER_DEFAULT = 0;
constexpr std::uint32_t D3DDEVTYPE_HAL = 1;
constexpr std::uint32_t D3DCREATE_SOFTWARE_VERTEXPROCESSING = 0x40;

constexpr std::uint32_t D3DFMT_UNKNOWN = 0;
constexpr std::uint32_t D3DFMT_A8R8G8B8 = 21;
constexpr std::uint32_t D3DFMT_D16 = 80;
constexpr std::uint32_t D3DSWAPEFFECT_DISCARD = 1;
constexpr std::uint32_t D3DPRESENT_INTERVAL_DEFAULT = 0;
constexpr std::uint32_t D3DPRESENT_INTERVAL_IMMEDIATE = 0x80000000U;

constexpr std::uint32_t D3DCLEAR_TARGET = 0x1;
constexpr std::uint32_t D3DCLEAR_ZBUFFER = 0x2;
constexpr std::uint32_t D3DCLEAR_STENCIL = 0x4;

constexpr std::uint32_t D3DFVF_XYZ = 0x002;
constexpr std::uint32_t D3DFVF_DIFFUSE = 0x040;
constexpr std::uint32_t D3DFVF_TEX1 = 0x100;
constexpr std::uint32_t D3DFVF_POSITION_MASK = 0x400E;
constexpr std::uint32_t D3DFVF_NORMAL = 0x010;
constexpr std::uint32_t D3DFVF_SPECULAR = 0x080;
constexpr std::uint32_t D3DFVF_TEXCOUNT_MASK = 0xF00;
constexpr std::uint32_t D3DFVF_TEXCOUNT_SHIFT = 8;

constexpr std::uint32_t D3DUSAGE_WRITEONLY = 0x8;
constexpr std::uint32_t D3DPOOL_MANAGED = 1;
constexpr std::uint32_t D3DX_FILTER_NONE = 1;
constexpr std::uint32_t D3DX_DEFAULT = 0xFFFFFFFFU;
constexpr std::uint32_t D3DX_DEFAULT_NONPOW2 = 0xFFFFFFFEU;

constexpr std::uint32_t DEFAULT_CHARSET = 1;
constexpr std::uint32_t DT_NOCLIP = 0x100;

enum D3DTRANSFORMSTATETYPE : std::uint32_t {
    D3DTS_VIEW = 2,
    D3DTS_PROJECTION = 3,
    D3DTS_WORLD = 256,
};

enum D3DRENDERSTATETYPE : std::uint32_t {
    D3DRS_ZENABLE = 7,
    D3DRS_SRCBLEND = 19,
    D3DRS_DESTBLEND = 20,
    D3DRS_CULLMODE = 22,
    D3DRS_ALPHABLENDENABLE = 27,
    D3DRS_LIGHTING = 137,
};

constexpr std::uint32_t D3DZB_TRUE = 1;
constexpr std::uint32_t D3DCULL_NONE = 1;
constexpr std::uint32_t D3DCULL_CW = 2;
constexpr std::uint32_t D3DCULL_CCW = 3;

enum D3DBLEND : std::uint32_t {
    D3DBLEND_ZERO = 1,
    D3DBLEND_ONE = 2,
    D3DBLEND_SRCCOLOR = 3,
    D3DBLEND_INVSRCCOLOR = 4,
    D3DBLEND_SRCALPHA = 5,
    D3DBLEND_INVSRCALPHA = 6,
    D3DBLEND_DESTALPHA = 7,
    D3DBLEND_INVDESTALPHA = 8,
    D3DBLEND_DESTCOLOR = 9,
    D3DBLEND_INVDESTCOLOR = 10,
    D3DBLEND_SRCALPHASAT = 11,
};

enum D3DTEXTURESTAGESTATETYPE : std::uint32_t {
    D3DTSS_ALPHAOP = 4,
};
constexpr std::uint32_t D3DTOP_MODULATE = 4;

enum D3DPRIMITIVETYPE : std::uint32_t {
    D3DPT_POINTLIST = 1,
    D3DPT_LINELIST = 2,
    D3DPT_LINESTRIP = 3,
    D3DPT_TRIANGLELIST = 4,
    D3DPT_TRIANGLESTRIP = 5,
    D3DPT_TRIANGLEFAN = 6,
};

struct D3DVIEWPORT9 {
    std::uint32_t X = 0;
    std::uint32_t Y = 0;
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    float MinZ = 0.0f;
    float MaxZ = 1.0f;
};

struct D3DPRESENT_PARAMETERS {
    std::uint32_t BackBufferWidth = 0;
    std::uint32_t BackBufferHeight = 0;
    std::uint32_t BackBufferFormat = 0;
    std::uint32_t BackBufferCount = 0;
    std::uint32_t MultiSampleType = 0;
    std::uint32_t MultiSampleQuality = 0;
    std::uint32_t SwapEffect = 0;
    WindowHandle hDeviceWindow = nullptr;
    bool Windowed = false;
    bool EnableAutoDepthStencil = false;
    std::uint32_t AutoDepthStencilFormat = 0;
    std::uint32_t Flags = 0;
    std::uint32_t FullScreen_RefreshRateInHz = 0;
    std::uint32_t PresentationInterval = 0;
};

struct D3DXIMAGE_INFO {
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    std::uint32_t Depth = 0;
    std::uint32_t MipLevels = 0;
    std::uint32_t Format = 0;
};

// The quad vertex (D3DFVF_XYZ | D3DFVF_TEX1) and the debug vertex
// (D3DFVF_XYZ | D3DFVF_DIFFUSE).
struct QuadVertex {
    float x, y, z, u, v;
};
static_assert(sizeof(QuadVertex) == 20);

struct DebugVertex {
    float x, y, z;
    D3DCOLOR color;
};
static_assert(sizeof(DebugVertex) == 16);

// Note: these names equal macros of the Windows headers; a translation unit
// that includes those must not include this header (the Windows backend
// keeps them apart).

// Every interface is released with Release(), as the COM objects it mirrors.
class Unknown {
public:
    virtual void Release() = 0;

protected:
    virtual ~Unknown() = default;
};

class Texture : public Unknown {
public:
    // Size of the texture surface (powers of two for file textures).
    virtual std::uint32_t Width() const = 0;
    virtual std::uint32_t Height() const = 0;
};

class VertexBuffer : public Unknown {
public:
    virtual HRESULT Lock(std::uint32_t offset, std::uint32_t size, void** data, std::uint32_t flags) = 0;
    virtual HRESULT Unlock() = 0;
};

class Font : public Unknown {
public:
    // ID3DXFont::DrawTextA; `sprite` is always null here.
    virtual int DrawTextA(void* sprite, const char* text, int count, WinRect* rect, std::uint32_t format,
                          D3DCOLOR color) = 0;
};

class RenderDevice : public Unknown {
public:
    virtual HRESULT Clear(std::uint32_t count, const void* rects, std::uint32_t flags, D3DCOLOR color, float z,
                          std::uint32_t stencil) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    virtual HRESULT Present(const void* sourceRect, const void* destRect, WindowHandle overrideWindow,
                            const void* dirtyRegion) = 0;
    virtual HRESULT GetViewport(D3DVIEWPORT9* viewport) = 0;
    virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const Matrix* matrix) = 0;
    virtual HRESULT SetVertexShader(void* shader) = 0;
    virtual HRESULT SetFVF(std::uint32_t fvf) = 0;
    virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, std::uint32_t value) = 0;
    virtual HRESULT SetTextureStageState(std::uint32_t stage, D3DTEXTURESTAGESTATETYPE type, std::uint32_t value) = 0;
    virtual HRESULT SetTexture(std::uint32_t stage, Texture* texture) = 0;
    virtual HRESULT CreateVertexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t fvf, std::uint32_t pool,
                                       VertexBuffer** buffer, void* sharedHandle) = 0;
    virtual HRESULT SetStreamSource(std::uint32_t stream, VertexBuffer* buffer, std::uint32_t offset,
                                    std::uint32_t stride) = 0;
    virtual HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, std::uint32_t startVertex, std::uint32_t primitiveCount) = 0;
    virtual HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount, const void* data,
                                    std::uint32_t stride) = 0;

    // D3DXCreateTextureFromFileExA with this device.
    virtual HRESULT CreateTextureFromFileExA(const char* path, std::uint32_t width, std::uint32_t height,
                                             std::uint32_t mipLevels, std::uint32_t usage, std::uint32_t format,
                                             std::uint32_t pool, std::uint32_t filter, std::uint32_t mipFilter,
                                             D3DCOLOR colorKey, D3DXIMAGE_INFO* sourceInfo, void* palette,
                                             Texture** texture) = 0;
    // D3DXCreateFontA with this device.
    virtual HRESULT CreateFontA(int height, std::uint32_t width, std::uint32_t weight, std::uint32_t mipLevels,
                                bool italic, std::uint32_t charSet, std::uint32_t outputPrecision,
                                std::uint32_t quality, std::uint32_t pitchAndFamily, const char* faceName,
                                Font** font) = 0;
};

class Direct3D : public Unknown {
public:
    virtual HRESULT CreateDevice(std::uint32_t adapter, std::uint32_t deviceType, WindowHandle focusWindow,
                                 std::uint32_t behaviorFlags, D3DPRESENT_PARAMETERS* parameters,
                                 RenderDevice** device) = 0;
};
