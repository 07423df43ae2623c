#include "NativeTestWindow.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace wintest {

static_assert(kClassDc == CS_CLASSDC && kOverlappedWindow == WS_OVERLAPPEDWINDOW && kVisible == WS_VISIBLE);
static_assert(kGetText == WM_GETTEXT && kGetTextLength == WM_GETTEXTLENGTH && kClose == WM_CLOSE && kNull == WM_NULL);

std::intptr_t Send(void* window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return SendMessageA(static_cast<HWND>(window), message, wParam, lParam);
}

bool Post(void* window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return PostMessageA(static_cast<HWND>(window), message, wParam, lParam) != 0;
}

long ClassStyle(void* instance, const char* className) {
    WNDCLASSA info = {};
    if (!GetClassInfoA(static_cast<HINSTANCE>(instance), className, &info)) {
        return -1;
    }
    return static_cast<long>(info.style);
}

std::uint32_t WindowStyle(void* window) {
    return static_cast<std::uint32_t>(GetWindowLongA(static_cast<HWND>(window), GWL_STYLE));
}

void OuterSize(void* window, int& width, int& height) {
    RECT rect = {};
    GetWindowRect(static_cast<HWND>(window), &rect);
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
}

bool IsVisible(void* window) { return IsWindowVisible(static_cast<HWND>(window)) != 0; }

bool IsAlive(void* window) { return IsWindow(static_cast<HWND>(window)) != 0; }

}  // namespace wintest
