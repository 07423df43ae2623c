// Entry point of the Windows game.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdlib>

#include "platform/win32/Win32Entry.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*showCommand*/) {
    // The C library has split the command line as a console program's would.
    return RunWin32Game(instance, __argc, __argv);
}
