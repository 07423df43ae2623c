#pragma once

#include "core/Vec2.h"
#include "core/WinTypes.h"

// The engine's window procedure: turns window events into broadcast messages.
LRESULT WindowProc(WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam);

// Maps client coordinates into the 1280 x 1024 virtual space. A client area
// of zero width or height maps that axis to 0.
Vec2 MapClientToVirtual(int x, int y, int clientWidth, int clientHeight);

// True for the window messages WindowProc handles; a native backend passes
// every other message to the system's default procedure.
bool IsEngineWindowMessage(UINT message);
