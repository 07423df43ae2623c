#pragma once

#include "platform/Platform.h"

// The real Windows platform: a Win32 window with its message pump, the
// keyboard state, the multimedia timer and Direct3D 9.
class Win32Platform : public Platform {
public:
    // `instance` is the module that owns the window class; null means the
    // executable itself.
    explicit Win32Platform(void* instance = nullptr);

    WindowHandle CreateMainWindow(const char* className, const char* title, int outerWidth, int outerHeight,
                                  WindowProcFn windowProc) override;
    void ShowMainWindow(WindowHandle window, int showCommand) override;
    void DestroyMainWindow(WindowHandle window, const char* className) override;
    WinRect GetClientRect(WindowHandle window) override;
    WinRect GetDesktopRect() override;
    void PumpMessages() override;
    std::int16_t GetKeyState(int virtualKey) override;
    std::uint32_t TimeGetTime() override;
    int ShowCursor(bool show) override;
    Direct3D* Direct3DCreate9(std::uint32_t sdkVersion) override;

    void* Instance() const { return instance_; }

private:
    void* instance_;
};
