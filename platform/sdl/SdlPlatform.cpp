#include "platform/sdl/SdlPlatform.h"

#include <SDL_image.h>

#include <ctime>

#include "core/VirtualScreen.h"
#include "platform/sdl/GlContext.h"
#include "platform/sdl/GlDirect3D.h"
#include "platform/sdl/SdlKeyMap.h"

namespace {
// Win32 WM_KEYDOWN lParam: repeat count in bits 0..15, scan code in 16..23,
// bit 30 set when the key was already down (auto-repeat).
LPARAM KeyLParam(const SDL_KeyboardEvent& key) {
    std::uint32_t value = 1U | ((static_cast<std::uint32_t>(key.keysym.scancode) & 0xFFU) << 16);
    if (key.repeat != 0) {
        value |= 1U << 30;
    }
    return static_cast<LPARAM>(value);
}

// MK_LBUTTON / MK_RBUTTON / MK_SHIFT / MK_CONTROL for the mouse records' wParam.
WPARAM MouseKeyFlags(std::uint32_t buttons) {
    WPARAM flags = 0;
    if ((buttons & SDL_BUTTON_LMASK) != 0) flags |= 0x0001;
    if ((buttons & SDL_BUTTON_RMASK) != 0) flags |= 0x0002;
    const SDL_Keymod mod = SDL_GetModState();
    if ((mod & KMOD_SHIFT) != 0) flags |= 0x0004;
    if ((mod & KMOD_CTRL) != 0) flags |= 0x0008;
    return flags;
}
}  // namespace

SdlPlatform::~SdlPlatform() {
    if (window_ != nullptr) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
    }
    if (gPlatform == this) {
        gPlatform = nullptr;
    }
}

WindowHandle SdlPlatform::CreateMainWindow(const char* /*className*/, const char* title, int outerWidth,
                                           int outerHeight, WindowProcFn windowProc) {
    if (window_ != nullptr || outerWidth <= 0 || outerHeight <= 0) {
        return nullptr;
    }
    // A compatibility context: the device uses the fixed-function pipeline.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // The depth buffer lives in the device's own framebuffer object.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    window_ = SDL_CreateWindow(title, 0, 0, outerWidth, outerHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window_ == nullptr) {
        return nullptr;
    }
    if (!iconFile_.empty()) {
        if (SDL_Surface* icon = IMG_Load(iconFile_.c_str())) {
            SDL_SetWindowIcon(window_, icon);
            SDL_FreeSurface(icon);
        }
    }
    windowId_ = SDL_GetWindowID(window_);
    windowProc_ = windowProc;
    destroyed_ = false;
    return window_;
}

void SdlPlatform::ShowMainWindow(WindowHandle window, int /*showCommand*/) {
    if (window != nullptr && window == window_ && !destroyed_) {
        SDL_ShowWindow(window_);
    }
}

void SdlPlatform::DestroyMainWindow(WindowHandle window, const char* /*className*/) {
    if (window == nullptr || window != window_) {
        return;
    }
    if (!destroyed_) {
        destroyed_ = true;
        // As DestroyWindow: the window procedure hears of it at once.
        if (windowProc_ != nullptr) {
            windowProc_(window_, win::WM_DESTROY, 0, 0);
        }
    }
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    windowId_ = 0;
}

WinRect SdlPlatform::GetClientRect(WindowHandle window) {
    WinRect rect;
    if (window == nullptr || window != window_) {
        return rect;
    }
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window_, &width, &height);
    rect.right = width;
    rect.bottom = height;
    return rect;
}

WinRect SdlPlatform::GetDesktopRect() {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
        return {0, 0, mode.w, mode.h};
    }
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(0, &bounds) == 0) {
        return {bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h};
    }
    return {0, 0, kVirtualWidth, kVirtualHeight};
}

bool SdlPlatform::OurWindow(std::uint32_t windowId) const { return windowId == 0 || windowId == windowId_; }

LPARAM SdlPlatform::ClientPoint(int x, int y) const {
    // Mouse events come in window coordinates; the client rectangle is the
    // drawable, which is larger on a scaled display.
    int windowWidth = 0;
    int windowHeight = 0;
    int drawWidth = 0;
    int drawHeight = 0;
    SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
    SDL_GL_GetDrawableSize(window_, &drawWidth, &drawHeight);
    if (windowWidth > 0 && windowHeight > 0 && (windowWidth != drawWidth || windowHeight != drawHeight)) {
        x = static_cast<int>(static_cast<long long>(x) * drawWidth / windowWidth);
        y = static_cast<int>(static_cast<long long>(y) * drawHeight / windowHeight);
    }
    return win::MakePointLParam(x, y);
}

bool SdlPlatform::Translate(const SDL_Event& event, Record& record) const {
    switch (event.type) {
    case SDL_KEYDOWN: {
        if (!OurWindow(event.key.windowID)) return false;
        const int virtualKey = sdlkeys::VirtualKeyFromKeycode(event.key.keysym.sym);
        if (virtualKey == 0) return false;
        record = {win::WM_KEYDOWN, static_cast<WPARAM>(virtualKey), KeyLParam(event.key)};
        return true;
    }
    case SDL_MOUSEMOTION:
        if (!OurWindow(event.motion.windowID)) return false;
        record = {win::WM_MOUSEMOVE, MouseKeyFlags(event.motion.state), ClientPoint(event.motion.x, event.motion.y)};
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        if (!OurWindow(event.button.windowID)) return false;
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        UINT message = 0;
        if (event.button.button == SDL_BUTTON_LEFT) {
            message = down ? win::WM_LBUTTONDOWN : win::WM_LBUTTONUP;
        } else if (event.button.button == SDL_BUTTON_RIGHT) {
            message = down ? win::WM_RBUTTONDOWN : win::WM_RBUTTONUP;
        } else {
            return false;
        }
        record = {message, MouseKeyFlags(SDL_GetMouseState(nullptr, nullptr)),
                  ClientPoint(event.button.x, event.button.y)};
        return true;
    }
    case SDL_QUIT: record = {win::WM_DESTROY, 0, 0}; return true;
    case SDL_WINDOWEVENT:
        if (!OurWindow(event.window.windowID)) return false;
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
            record = {win::WM_DESTROY, 0, 0};
            return true;
        }
        if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
            const auto width = static_cast<std::uint32_t>(event.window.data1) & 0xFFFFU;
            const auto height = static_cast<std::uint32_t>(event.window.data2) & 0xFFFFU;
            record = {win::WM_SIZE, 0, static_cast<LPARAM>(width | (height << 16))};
            return true;
        }
        return false;
    default: return false;
    }
}

void SdlPlatform::Deliver(UINT message, WPARAM wParam, LPARAM lParam) {
    if (destroyed_ || windowProc_ == nullptr || window_ == nullptr) {
        return;
    }
    if (message == win::WM_DESTROY) {
        // The close button: the window counts as destroyed from now on. It
        // is only hidden, since the frame that is running still presents to
        // it; DestroyMainWindow frees it without a second WM_DESTROY.
        destroyed_ = true;
        SDL_HideWindow(window_);
    }
    windowProc_(window_, message, wParam, lParam);
}

void SdlPlatform::PumpMessages() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        Record record;
        if (Translate(event, record)) {
            Deliver(record.message, record.wParam, record.lParam);
        }
    }
}

std::int16_t SdlPlatform::GetKeyState(int virtualKey) {
    constexpr auto kHeld = static_cast<std::int16_t>(0x8000);
    if (virtualKey == win::VK_LBUTTON || virtualKey == win::VK_RBUTTON) {
        const std::uint32_t buttons = SDL_GetMouseState(nullptr, nullptr);
        const std::uint32_t mask = virtualKey == win::VK_LBUTTON ? SDL_BUTTON_LMASK : SDL_BUTTON_RMASK;
        return (buttons & mask) != 0 ? kHeld : 0;
    }
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    if (state == nullptr) {
        return 0;
    }
    for (const SDL_Keycode key : sdlkeys::KeycodesForVirtualKey(virtualKey)) {
        const SDL_Scancode scancode = SDL_GetScancodeFromKey(key);
        if (scancode > SDL_SCANCODE_UNKNOWN && scancode < count && state[scancode] != 0) {
            return kHeld;
        }
    }
    return 0;
}

std::uint32_t SdlPlatform::TimeGetTime() {
    // Milliseconds since the system started, as the Windows clock counts
    // (and wrapping as it does): a seed taken from it differs from run to
    // run, where a count from SDL's own start would not.
    timespec now{};
#ifdef CLOCK_BOOTTIME
    if (clock_gettime(CLOCK_BOOTTIME, &now) != 0)
#endif
    {
        clock_gettime(CLOCK_MONOTONIC, &now);
    }
    const std::uint64_t milliseconds =
        static_cast<std::uint64_t>(now.tv_sec) * 1000U + static_cast<std::uint64_t>(now.tv_nsec) / 1000000U;
    return static_cast<std::uint32_t>(milliseconds);
}

int SdlPlatform::ShowCursor(bool show) {
    // Win32 keeps a display counter: the cursor shows while it is >= 0.
    cursorCount_ += show ? 1 : -1;
    SDL_ShowCursor(cursorCount_ >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return cursorCount_;
}

Direct3D* SdlPlatform::Direct3DCreate9(std::uint32_t sdkVersion) {
    if (sdkVersion != D3D_SDK_VERSION || window_ == nullptr || destroyed_) {
        return nullptr;
    }
    std::shared_ptr<GlContext> context = GlContext::Create(window_);
    if (!context) {
        return nullptr;
    }
    return new GlDirect3D(std::move(context));
}
