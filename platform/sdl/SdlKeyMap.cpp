#include "platform/sdl/SdlKeyMap.h"

#include <iterator>

#include "core/WinTypes.h"

namespace sdlkeys {
namespace {
struct Pair {
    SDL_Keycode key;
    int virtualKey;
};

// Keys outside the contiguous ranges (letters, digits, F1..F12, keypad digits).
// clang-format off
constexpr Pair kPairs[] = {
    {SDLK_BACKSPACE, 0x08},
    {SDLK_TAB, 0x09},
    {SDLK_RETURN, 0x0D},
    {SDLK_KP_ENTER, 0x0D},
    {SDLK_LSHIFT, 0x10},
    {SDLK_RSHIFT, 0x10},
    {SDLK_LCTRL, 0x11},
    {SDLK_RCTRL, 0x11},
    {SDLK_LALT, 0x12},
    {SDLK_RALT, 0x12},
    {SDLK_PAUSE, 0x13},
    {SDLK_CAPSLOCK, 0x14},
    {SDLK_ESCAPE, 0x1B},
    {SDLK_SPACE, 0x20},
    {SDLK_PAGEUP, 0x21},
    {SDLK_PAGEDOWN, 0x22},
    {SDLK_END, 0x23},
    {SDLK_HOME, 0x24},
    {SDLK_LEFT, 0x25},
    {SDLK_UP, 0x26},
    {SDLK_RIGHT, 0x27},
    {SDLK_DOWN, 0x28},
    {SDLK_PRINTSCREEN, 0x2C},
    {SDLK_INSERT, 0x2D},
    {SDLK_DELETE, 0x2E},
    {SDLK_LGUI, 0x5B},
    {SDLK_RGUI, 0x5C},
    {SDLK_APPLICATION, 0x5D},
    {SDLK_KP_MULTIPLY, 0x6A},
    {SDLK_KP_PLUS, 0x6B},
    {SDLK_KP_MINUS, 0x6D},
    {SDLK_KP_PERIOD, 0x6E},
    {SDLK_KP_DIVIDE, 0x6F},
    {SDLK_NUMLOCKCLEAR, 0x90},
    {SDLK_SCROLLLOCK, 0x91},
    {SDLK_SEMICOLON, 0xBA},
    {SDLK_EQUALS, 0xBB},
    {SDLK_COMMA, 0xBC},
    {SDLK_MINUS, 0xBD},
    {SDLK_PERIOD, 0xBE},
    {SDLK_SLASH, 0xBF},
    {SDLK_BACKQUOTE, 0xC0},
    {SDLK_LEFTBRACKET, 0xDB},
    {SDLK_BACKSLASH, 0xDC},
    {SDLK_RIGHTBRACKET, 0xDD},
    {SDLK_QUOTE, 0xDE},
};
// clang-format on

constexpr SDL_Keycode kFunctionKeys[] = {SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F4,  SDLK_F5,  SDLK_F6,
                                         SDLK_F7, SDLK_F8, SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12};
constexpr SDL_Keycode kKeypadDigits[] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                                         SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};
}  // namespace

int VirtualKeyFromKeycode(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return 'A' + (key - SDLK_a);
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return '0' + (key - SDLK_0);
    }
    for (std::size_t i = 0; i < std::size(kFunctionKeys); ++i) {
        if (kFunctionKeys[i] == key) {
            return win::VK_F1 + static_cast<int>(i);
        }
    }
    for (std::size_t i = 0; i < std::size(kKeypadDigits); ++i) {
        if (kKeypadDigits[i] == key) {
            return win::VK_NUMPAD0 + static_cast<int>(i);
        }
    }
    for (const Pair& pair : kPairs) {
        if (pair.key == key) {
            return pair.virtualKey;
        }
    }
    return 0;
}

std::vector<SDL_Keycode> KeycodesForVirtualKey(int virtualKey) {
    std::vector<SDL_Keycode> keys;
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        keys.push_back(SDLK_a + (virtualKey - 'A'));
    } else if (virtualKey >= '0' && virtualKey <= '9') {
        keys.push_back(SDLK_0 + (virtualKey - '0'));
    } else if (virtualKey >= win::VK_F1 && virtualKey < win::VK_F1 + static_cast<int>(std::size(kFunctionKeys))) {
        keys.push_back(kFunctionKeys[virtualKey - win::VK_F1]);
    } else if (virtualKey >= win::VK_NUMPAD0 &&
               virtualKey < win::VK_NUMPAD0 + static_cast<int>(std::size(kKeypadDigits))) {
        keys.push_back(kKeypadDigits[virtualKey - win::VK_NUMPAD0]);
    } else {
        for (const Pair& pair : kPairs) {
            if (pair.virtualKey == virtualKey) {
                keys.push_back(pair.key);
            }
        }
    }
    return keys;
}

}  // namespace sdlkeys
