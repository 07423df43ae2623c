#pragma once

#include <memory>

#include "platform/RenderDevice.h"
#include "platform/headless/DrawLog.h"

// The Direct3D object of the headless platform: creates recording devices.
class RecordingDirect3D : public Direct3D {
public:
    enum class Failure { None, Device, Font, VertexBuffer };

    RecordingDirect3D(std::shared_ptr<DrawLog> log, Failure failure) : log_(std::move(log)), failure_(failure) {}
    void Release() override { delete this; }
    HRESULT CreateDevice(std::uint32_t adapter, std::uint32_t deviceType, WindowHandle focusWindow,
                         std::uint32_t behaviorFlags, D3DPRESENT_PARAMETERS* parameters,
                         RenderDevice** device) override;

private:
    ~RecordingDirect3D() override = default;

    std::shared_ptr<DrawLog> log_;
    Failure failure_;
};

// A render device that draws nothing and records every call in a DrawLog.
// Image files are decoded with the same loader as the real backends, so a
// missing or broken image fails the same way.
class RecordingDevice : public RenderDevice {
public:
    RecordingDevice(std::shared_ptr<DrawLog> log, const D3DPRESENT_PARAMETERS& parameters,
                    RecordingDirect3D::Failure failure);

    void Release() override { delete this; }
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

private:
    ~RecordingDevice() override;
    DrawLog::Call& Record(const char* name, std::initializer_list<std::uint32_t> args = {});

    std::shared_ptr<DrawLog> log_;
    D3DVIEWPORT9 viewport_;
    RecordingDirect3D::Failure failure_;
    bool inScene_ = false;
};
