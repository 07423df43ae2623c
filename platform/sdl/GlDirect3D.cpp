#include "platform/sdl/GlDirect3D.h"

#include "platform/sdl/GlContext.h"
#include "platform/sdl/GlDevice.h"

HRESULT GlDirect3D::CreateDevice(std::uint32_t adapter, std::uint32_t /*deviceType*/, WindowHandle focusWindow,
                                 std::uint32_t /*behaviorFlags*/, D3DPRESENT_PARAMETERS* parameters,
                                 RenderDevice** device) {
    if (device == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *device = nullptr;
    if (parameters == nullptr || adapter != D3DADAPTER_DEFAULT) {
        return D3DERR_INVALIDCALL;
    }
    auto* window =
        static_cast<SDL_Window*>(parameters->hDeviceWindow != nullptr ? parameters->hDeviceWindow : focusWindow);
    if (window != nullptr && window != context_->Window()) {
        return D3DERR_INVALIDCALL;
    }
    std::uint32_t width = parameters->BackBufferWidth;
    std::uint32_t height = parameters->BackBufferHeight;
    if (width == 0 || height == 0) {
        // Windowed with a zero size: the back buffer takes the client size.
        int w = 0;
        int h = 0;
        SDL_GL_GetDrawableSize(context_->Window(), &w, &h);
        width = width == 0 ? static_cast<std::uint32_t>(w) : width;
        height = height == 0 ? static_cast<std::uint32_t>(h) : height;
    }
    GlDevice* created =
        GlDevice::Create(context_, width, height, parameters->EnableAutoDepthStencil, parameters->PresentationInterval);
    if (created == nullptr) {
        return D3DERR_NOTAVAILABLE;
    }
    *device = created;
    return D3D_OK;
}
