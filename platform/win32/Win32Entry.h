#pragma once

// The Windows game: the command line, the data folder, then start-up,
// frames until quit and teardown on the real Win32 platform. Returns the
// exit status. `instance` is the module handle WinMain receives, `argc` and
// `argv` the C library's reading of the command line. Plain types, so that
// WinMain's translation unit (which needs <windows.h>) never sees the
// engine's headers.
int RunWin32Game(void* instance, int argc, char** argv);
