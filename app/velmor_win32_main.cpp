// Entry point of the Windows game.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "platform/win32/Win32Entry.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*showCommand*/) {
    return RunWin32Game(instance);
}
