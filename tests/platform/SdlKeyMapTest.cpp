#include <gtest/gtest.h>

#include "platform/sdl/SdlKeyMap.h"

using sdlkeys::KeycodesForVirtualKey;
using sdlkeys::VirtualKeyFromKeycode;

TEST(SdlKeyMap, GivesTheWindowsVirtualKeys) {
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_a), 0x41);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_l), 0x4C);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_p), 0x50);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_z), 0x5A);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_0), 0x30);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_9), 0x39);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_ESCAPE), 0x1B);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_LEFT), 0x25);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_UP), 0x26);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_RIGHT), 0x27);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_DOWN), 0x28);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_RETURN), 0x0D);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_SPACE), 0x20);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_TAB), 0x09);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_BACKSPACE), 0x08);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_LSHIFT), 0x10);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_RSHIFT), 0x10);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_RCTRL), 0x11);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_F1), 0x70);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_F12), 0x7B);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_KP_0), 0x60);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_KP_9), 0x69);
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_AUDIOPLAY), 0) << "no virtual key: no record";
    EXPECT_EQ(VirtualKeyFromKeycode(SDLK_UNKNOWN), 0);
}

TEST(SdlKeyMap, EveryVirtualKeyMapsBackToItself) {
    int known = 0;
    for (int vk = 1; vk < 0x100; ++vk) {
        for (SDL_Keycode key : KeycodesForVirtualKey(vk)) {
            EXPECT_EQ(VirtualKeyFromKeycode(key), vk) << "key " << key;
            ++known;
        }
    }
    EXPECT_GE(known, 26 + 10 + 12 + 10 + 4);
    EXPECT_EQ(KeycodesForVirtualKey(0x10).size(), 2U) << "both Shift keys hold VK_SHIFT";
    EXPECT_TRUE(KeycodesForVirtualKey(0x07).empty());
}
