#pragma once

#include <SDL.h>

#include <vector>

// Translation between SDL key codes and Windows virtual-key codes. Letters
// follow the keyboard layout (the key code, not the physical position), as
// Windows virtual keys do.
namespace sdlkeys {

// The virtual-key code of an SDL key, or 0 for a key without one.
int VirtualKeyFromKeycode(SDL_Keycode key);

// Every SDL key that stands for the virtual key (both Shift keys for
// VK_SHIFT); empty for an unknown code.
std::vector<SDL_Keycode> KeycodesForVirtualKey(int virtualKey);

}  // namespace sdlkeys
