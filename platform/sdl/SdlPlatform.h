#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

#include "platform/Platform.h"

// The Linux platform: one SDL2 window with an OpenGL surface, its events
// handed to the window procedure as Win32 records, SDL's keyboard state and
// the system's millisecond clock since boot. The caller initialises SDL
// (video) and SDL_ttf first.
class SdlPlatform : public Platform {
public:
    SdlPlatform() = default;
    ~SdlPlatform() override;
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    // The size is taken as the client size. The handle is the SDL_Window.
    WindowHandle CreateMainWindow(const char* className, const char* title, int outerWidth, int outerHeight,
                                  WindowProcFn windowProc) override;
    void ShowMainWindow(WindowHandle window, int showCommand) override;
    void DestroyMainWindow(WindowHandle window, const char* className) override;
    // The drawable size (what the back buffer is scaled to).
    WinRect GetClientRect(WindowHandle window) override;
    WinRect GetDesktopRect() override;
    void PumpMessages() override;
    std::int16_t GetKeyState(int virtualKey) override;
    std::uint32_t TimeGetTime() override;
    int ShowCursor(bool show) override;
    // Creates the OpenGL context on the window; null when there is none to be had.
    Direct3D* Direct3DCreate9(std::uint32_t sdkVersion) override;

    // The image the window shows as its icon (the game's own); a file that
    // cannot be read leaves the system's.
    void SetIconFile(std::string path) { iconFile_ = std::move(path); }

    SDL_Window* Window() const { return window_; }
    // True once the window received WM_DESTROY (close button or DestroyMainWindow).
    bool WindowDestroyed() const { return destroyed_; }

    // The Win32 record an SDL event becomes; false for events that give none.
    struct Record {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    bool Translate(const SDL_Event& event, Record& record) const;

private:
    void Deliver(UINT message, WPARAM wParam, LPARAM lParam);
    bool OurWindow(std::uint32_t windowId) const;
    LPARAM ClientPoint(int x, int y) const;

    std::string iconFile_;
    SDL_Window* window_ = nullptr;
    std::uint32_t windowId_ = 0;
    WindowProcFn windowProc_ = nullptr;
    bool destroyed_ = false;
    int cursorCount_ = 0;
};
