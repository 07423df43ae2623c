#pragma once

// The Windows game: start-up, frames until quit, teardown, on the real
// Win32 platform. Returns the exit status. `instance` is the module handle
// WinMain receives. Plain types, so that WinMain's translation unit (which
// needs <windows.h>) never sees the engine's headers.
int RunWin32Game(void* instance);
