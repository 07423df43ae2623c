#pragma once

#include <cstdint>

// The user32 / gdi32 / winmm calls of the Windows backend behind plain types.
// Only NativeWindow.cpp sees <windows.h>: its macros (WM_DESTROY, SendMessage,
// CreateFont ...) collide with engine names, so the two never meet in one
// translation unit.
namespace native {

using EngineWindowProc = std::intptr_t (*)(void* window, std::uint32_t message, std::uintptr_t wParam,
                                           std::intptr_t lParam);
using EngineMessageFilter = bool (*)(std::uint32_t message);

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// The module handle of the executable (GetModuleHandleA(NULL)).
void* ThisModule();

// Registers the window class (CS_CLASSDC, arrow cursor, application icon,
// white brush) and creates the hidden WS_OVERLAPPEDWINDOW at (0, 0). The
// class's procedure hands the messages `filter` accepts to `proc` and every
// other one to DefWindowProcA. Null (with the class unregistered again) on
// failure.
void* CreateMainWindow(void* instance, const char* className, const char* title, int outerWidth, int outerHeight,
                       EngineWindowProc proc, EngineMessageFilter filter);
void ShowMainWindow(void* window, int showCommand);
// DestroyWindow (when the window still exists) and UnregisterClassA.
void DestroyMainWindow(void* instance, void* window, const char* className);

Rect ClientRect(void* window);
Rect DesktopRect();

// PeekMessageA(PM_REMOVE) / TranslateMessage / DispatchMessageA until the
// queue is empty; never waits.
void PumpMessages();

std::int16_t KeyState(int virtualKey);
std::uint32_t Milliseconds();
int ShowSystemCursor(bool show);

}  // namespace native
