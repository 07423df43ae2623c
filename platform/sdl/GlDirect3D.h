#pragma once

#include <memory>

#include "platform/RenderDevice.h"

class GlContext;

// The "Direct3D" object of the SDL platform: makes OpenGL devices on the
// context that the platform created on its window.
class GlDirect3D : public Direct3D {
public:
    explicit GlDirect3D(std::shared_ptr<GlContext> context) : context_(std::move(context)) {}
    void Release() override { delete this; }
    HRESULT CreateDevice(std::uint32_t adapter, std::uint32_t deviceType, WindowHandle focusWindow,
                         std::uint32_t behaviorFlags, D3DPRESENT_PARAMETERS* parameters,
                         RenderDevice** device) override;

private:
    ~GlDirect3D() override = default;

    std::shared_ptr<GlContext> context_;
};
