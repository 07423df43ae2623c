#pragma once

#include <cstdint>
#include <memory>

#include "core/WinTypes.h"

class Direct3D;

// The window procedure signature the platform calls for every pending event.
using WindowProcFn = LRESULT (*)(WindowHandle, UINT, WPARAM, LPARAM);

// Everything the engine needs from the operating system: one window, its
// events as Win32-style records, the keyboard state, a millisecond clock,
// the system cursor and the entry point to the render device.
class Platform {
public:
    virtual ~Platform() = default;

    // Registers the window class and creates the (still hidden) main window
    // at (0, 0) with the given outer size. Returns null on failure.
    virtual WindowHandle CreateMainWindow(const char* className, const char* title, int outerWidth, int outerHeight,
                                          WindowProcFn windowProc) = 0;
    virtual void ShowMainWindow(WindowHandle window, int showCommand) = 0;
    // Destroys the window (delivering WM_DESTROY to the window procedure if
    // it is still alive) and unregisters the class.
    virtual void DestroyMainWindow(WindowHandle window, const char* className) = 0;

    virtual WinRect GetClientRect(WindowHandle window) = 0;
    virtual WinRect GetDesktopRect() = 0;

    // Hands every pending event to the window procedure; never blocks.
    virtual void PumpMessages() = 0;

    // Negative while the key is held, as the Win32 call.
    virtual std::int16_t GetKeyState(int virtualKey) = 0;
    virtual std::uint32_t TimeGetTime() = 0;
    virtual int ShowCursor(bool show) = 0;

    // The equivalent of Direct3DCreate9; null when no device can be made.
    virtual Direct3D* Direct3DCreate9(std::uint32_t sdkVersion) = 0;
};

// The platform the running program uses; set by the start-up, not owned.
extern Platform* gPlatform;
