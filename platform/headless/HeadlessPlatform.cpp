#include "platform/headless/HeadlessPlatform.h"

#include "platform/headless/RecordingDevice.h"

namespace {
// Any non-null value serves as the one window's handle.
WindowHandle const kWindow = reinterpret_cast<WindowHandle>(static_cast<std::uintptr_t>(0x1));
}  // namespace

HeadlessPlatform::HeadlessPlatform() : log_(std::make_shared<DrawLog>()) {}

HeadlessPlatform::~HeadlessPlatform() {
    if (gPlatform == this) {
        gPlatform = nullptr;
    }
}

WindowHandle HeadlessPlatform::CreateMainWindow(const char* className, const char* title, int outerWidth,
                                                int outerHeight, WindowProcFn windowProc) {
    className_ = className;
    title_ = title;
    windowWidth_ = outerWidth;
    windowHeight_ = outerHeight;
    windowProc_ = windowProc;
    windowCreated_ = true;
    windowDestroyed_ = false;
    windowVisible_ = false;
    return kWindow;
}

void HeadlessPlatform::ShowMainWindow(WindowHandle /*window*/, int /*showCommand*/) { windowVisible_ = true; }

void HeadlessPlatform::DestroyMainWindow(WindowHandle window, const char* /*className*/) {
    if (!windowCreated_ || windowDestroyed_) {
        return;
    }
    windowDestroyed_ = true;
    windowVisible_ = false;
    // As the real call, destruction reaches the window procedure at once.
    if (windowProc_ != nullptr) {
        windowProc_(window, win::WM_DESTROY, 0, 0);
    }
}

WinRect HeadlessPlatform::GetClientRect(WindowHandle /*window*/) {
    WinRect rect;
    rect.right = clientWidth_ >= 0 ? clientWidth_ : windowWidth_;
    rect.bottom = clientHeight_ >= 0 ? clientHeight_ : windowHeight_;
    return rect;
}

WinRect HeadlessPlatform::GetDesktopRect() { return {0, 0, desktopWidth_, desktopHeight_}; }

void HeadlessPlatform::SetDesktopSize(int width, int height) {
    desktopWidth_ = width;
    desktopHeight_ = height;
}

void HeadlessPlatform::SetClientSize(int width, int height) {
    clientWidth_ = width;
    clientHeight_ = height;
}

void HeadlessPlatform::Post(UINT message, WPARAM wParam, LPARAM lParam) {
    events_.push_back({message, wParam, lParam});
}

void HeadlessPlatform::Close() { events_.push_back({win::WM_CLOSE, 0, 0}); }

void HeadlessPlatform::PumpMessages() {
    // Only the events queued before the pump started: a handler that queues
    // more (a test hook) sees them in the next frame, never in a loop.
    std::size_t pending = events_.size();
    while (pending-- > 0 && !events_.empty()) {
        const Event event = events_.front();
        events_.pop_front();
        if (windowDestroyed_ || windowProc_ == nullptr) {
            continue;
        }
        if (event.message == win::WM_CLOSE) {
            // What the default window procedure does with the close button.
            DestroyMainWindow(kWindow, className_.c_str());
            continue;
        }
        windowProc_(kWindow, event.message, event.wParam, event.lParam);
    }
}

void HeadlessPlatform::SetKeyHeld(int virtualKey, bool held) {
    if (held) {
        heldKeys_.insert(virtualKey);
    } else {
        heldKeys_.erase(virtualKey);
    }
}

std::int16_t HeadlessPlatform::GetKeyState(int virtualKey) {
    return heldKeys_.count(virtualKey) != 0 ? static_cast<std::int16_t>(0x8000 | 0x0001) : 0;
}

int HeadlessPlatform::ShowCursor(bool show) {
    cursorCount_ += show ? 1 : -1;
    return cursorCount_;
}

Direct3D* HeadlessPlatform::Direct3DCreate9(std::uint32_t /*sdkVersion*/) {
    switch (failure_) {
    case Failure::Direct3D: return nullptr;
    case Failure::Device: return new RecordingDirect3D(log_, RecordingDirect3D::Failure::Device);
    case Failure::Font: return new RecordingDirect3D(log_, RecordingDirect3D::Failure::Font);
    case Failure::VertexBuffer: return new RecordingDirect3D(log_, RecordingDirect3D::Failure::VertexBuffer);
    case Failure::None: break;
    }
    return new RecordingDirect3D(log_, RecordingDirect3D::Failure::None);
}
