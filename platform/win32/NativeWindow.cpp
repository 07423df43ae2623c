#include "platform/win32/NativeWindow.h"

#include "core/WindowsApi.h"
#include <mmsystem.h>

namespace native {
namespace {

// One main window per process: its class procedure reaches the engine
// through these. They are set before CreateWindowExA, because the window
// receives messages (WM_NCCREATE, WM_CREATE, WM_SIZE ...) while it is being
// created.
EngineWindowProc gEngineProc = nullptr;
EngineMessageFilter gEngineFilter = nullptr;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (gEngineProc != nullptr && gEngineFilter != nullptr && gEngineFilter(message)) {
        return gEngineProc(window, message, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void* ThisModule() { return GetModuleHandleA(nullptr); }

void* CreateMainWindow(void* instance, const char* className, const char* title, int outerWidth, int outerHeight,
                       EngineWindowProc proc, EngineMessageFilter filter) {
    HINSTANCE module = static_cast<HINSTANCE>(instance);
    WNDCLASSA windowClass = {};
    windowClass.style = CS_CLASSDC;
    windowClass.lpfnWndProc = &MainWindowProc;
    windowClass.hInstance = module;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = className;
    if (RegisterClassA(&windowClass) == 0) {
        return nullptr;
    }
    const EngineWindowProc previousProc = gEngineProc;
    const EngineMessageFilter previousFilter = gEngineFilter;
    gEngineProc = proc;
    gEngineFilter = filter;
    HWND window = CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW, 0, 0, outerWidth, outerHeight, nullptr,
                                  nullptr, module, nullptr);
    if (window == nullptr) {
        gEngineProc = previousProc;
        gEngineFilter = previousFilter;
        UnregisterClassA(className, module);
    }
    return window;
}

void ShowMainWindow(void* window, int showCommand) { ShowWindow(static_cast<HWND>(window), showCommand); }

void DestroyMainWindow(void* instance, void* window, const char* className) {
    HWND handle = static_cast<HWND>(window);
    // The window may already be gone (closed by the user); destroying it
    // again would only fail.
    if (handle != nullptr && IsWindow(handle)) {
        DestroyWindow(handle);
    }
    UnregisterClassA(className, static_cast<HINSTANCE>(instance));
    gEngineProc = nullptr;
    gEngineFilter = nullptr;
}

Rect ClientRect(void* window) {
    RECT rect = {};
    if (!GetClientRect(static_cast<HWND>(window), &rect)) {
        return {};
    }
    return {rect.left, rect.top, rect.right, rect.bottom};
}

Rect DesktopRect() {
    RECT rect = {};
    GetWindowRect(GetDesktopWindow(), &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

std::int16_t KeyState(int virtualKey) { return static_cast<std::int16_t>(GetKeyState(virtualKey)); }

std::uint32_t Milliseconds() { return timeGetTime(); }

int ShowSystemCursor(bool show) { return ShowCursor(show ? TRUE : FALSE); }

}  // namespace native
