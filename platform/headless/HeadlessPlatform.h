#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <set>
#include <string>

#include "platform/Platform.h"
#include "platform/headless/DrawLog.h"

// A platform without a screen: a virtual window and desktop of any size, a
// millisecond clock that only the caller advances, scripted window events
// and a held-key table. Its render device records every call.
class HeadlessPlatform : public Platform {
public:
    HeadlessPlatform();
    ~HeadlessPlatform() override;

    WindowHandle CreateMainWindow(const char* className, const char* title, int outerWidth, int outerHeight,
                                  WindowProcFn windowProc) override;
    void ShowMainWindow(WindowHandle window, int showCommand) override;
    void DestroyMainWindow(WindowHandle window, const char* className) override;
    WinRect GetClientRect(WindowHandle window) override;
    WinRect GetDesktopRect() override;
    void PumpMessages() override;
    std::int16_t GetKeyState(int virtualKey) override;
    std::uint32_t TimeGetTime() override { return clock_; }
    int ShowCursor(bool show) override;
    Direct3D* Direct3DCreate9(std::uint32_t sdkVersion) override;

    // --- scripting ---
    void SetTime(std::uint32_t milliseconds) { clock_ = milliseconds; }
    void Advance(std::uint32_t milliseconds) { clock_ += milliseconds; }
    void SetDesktopSize(int width, int height);
    // Overrides the client size (by default it equals the window's size).
    void SetClientSize(int width, int height);

    // Queues a raw window record for the next pump.
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void KeyDown(int virtualKey) { Post(win::WM_KEYDOWN, static_cast<WPARAM>(virtualKey)); }
    void MouseMove(int clientX, int clientY) { Post(win::WM_MOUSEMOVE, 0, win::MakePointLParam(clientX, clientY)); }
    void LeftDown() { Post(win::WM_LBUTTONDOWN); }
    void LeftUp() { Post(win::WM_LBUTTONUP); }
    void RightDown() { Post(win::WM_RBUTTONDOWN); }
    void RightUp() { Post(win::WM_RBUTTONUP); }
    // The close button: the window is destroyed at the next pump.
    void Close();
    void SetKeyHeld(int virtualKey, bool held);

    // Makes Direct3DCreate9, CreateDevice, the font or the vertex buffer fail.
    enum class Failure { None, Direct3D, Device, Font, VertexBuffer };
    void SetFailure(Failure failure) { failure_ = failure; }

    // --- inspection ---
    bool WindowCreated() const { return windowCreated_; }
    bool WindowVisible() const { return windowVisible_; }
    bool WindowDestroyed() const { return windowDestroyed_; }
    int WindowWidth() const { return windowWidth_; }
    int WindowHeight() const { return windowHeight_; }
    const std::string& WindowClass() const { return className_; }
    const std::string& WindowTitle() const { return title_; }
    int CursorCount() const { return cursorCount_; }
    std::size_t PendingEvents() const { return events_.size(); }
    // Every call made on the render device, kept beyond the device's life.
    DrawLog& Log() { return *log_; }

private:
    struct Event {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    std::uint32_t clock_ = 0;
    int desktopWidth_ = 1920;
    int desktopHeight_ = 1080;
    int clientWidth_ = -1;
    int clientHeight_ = -1;
    int windowWidth_ = 0;
    int windowHeight_ = 0;
    bool windowCreated_ = false;
    bool windowVisible_ = false;
    bool windowDestroyed_ = false;
    std::string className_;
    std::string title_;
    WindowProcFn windowProc_ = nullptr;
    std::deque<Event> events_;
    std::set<int> heldKeys_;
    int cursorCount_ = 0;
    Failure failure_ = Failure::None;
    std::shared_ptr<DrawLog> log_;
};
