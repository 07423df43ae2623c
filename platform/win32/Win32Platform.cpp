#include "platform/win32/Win32Platform.h"

#include <new>

#include "core/WindowProc.h"
#include "platform/win32/NativeD3D9.h"
#include "platform/win32/NativeWindow.h"
#include "platform/win32/Win32RenderDevice.h"

namespace {
// The engine's window procedure has the native signature in engine types;
// both sides are pointer-sized integers and a void* handle.
static_assert(sizeof(WPARAM) == sizeof(std::uintptr_t) && sizeof(LPARAM) == sizeof(std::intptr_t));

WindowProcFn gWindowProc = nullptr;

std::intptr_t ForwardToEngine(void* window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return gWindowProc != nullptr ? gWindowProc(window, message, wParam, lParam) : 0;
}

WinRect ToWinRect(const native::Rect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
}  // namespace

Win32Platform::Win32Platform(void* instance) : instance_(instance != nullptr ? instance : native::ThisModule()) {}

WindowHandle Win32Platform::CreateMainWindow(const char* className, const char* title, int outerWidth, int outerHeight,
                                             WindowProcFn windowProc) {
    // Set before creation: the window gets messages while it is created. A
    // failed creation leaves an existing window's procedure in place.
    const WindowProcFn previous = gWindowProc;
    gWindowProc = windowProc;
    // Only the messages the engine handles reach it; everything else (the
    // non-client area, activation, painting, WM_CLOSE ...) gets the default
    // processing, which is also what turns a close into WM_DESTROY.
    WindowHandle window = native::CreateMainWindow(instance_, className, title, outerWidth, outerHeight,
                                                   &ForwardToEngine, &IsEngineWindowMessage);
    if (window == nullptr) {
        gWindowProc = previous;
    }
    return window;
}

void Win32Platform::ShowMainWindow(WindowHandle window, int showCommand) {
    native::ShowMainWindow(window, showCommand);
}

void Win32Platform::DestroyMainWindow(WindowHandle window, const char* className) {
    native::DestroyMainWindow(instance_, window, className);
    gWindowProc = nullptr;
}

WinRect Win32Platform::GetClientRect(WindowHandle window) { return ToWinRect(native::ClientRect(window)); }

WinRect Win32Platform::GetDesktopRect() { return ToWinRect(native::DesktopRect()); }

void Win32Platform::PumpMessages() { native::PumpMessages(); }

std::int16_t Win32Platform::GetKeyState(int virtualKey) { return native::KeyState(virtualKey); }

std::uint32_t Win32Platform::TimeGetTime() { return native::Milliseconds(); }

int Win32Platform::ShowCursor(bool show) { return native::ShowSystemCursor(show); }

Direct3D* Win32Platform::Direct3DCreate9(std::uint32_t sdkVersion) {
    IDirect3D9* d3d = native::Direct3DCreate9(sdkVersion);
    if (d3d == nullptr) {
        return nullptr;
    }
    Direct3D* wrapper = new (std::nothrow) Win32Direct3D(d3d);
    if (wrapper == nullptr) {
        native::Release(d3d);
    }
    return wrapper;
}
