#include <gtest/gtest.h>

#include <algorithm>

#include "NativeTestWindow.h"
#include "core/Application.h"
#include "core/Core.h"
#include "harness/TempData.h"
#include "platform/win32/Win32Platform.h"

namespace {

// A menu with a full-screen background and a Quit button at (640, 700).
void WriteMenu(const TempData& data) {
    data.SolidImage("background.png", 300, 200, 0x204080FFU);
    data.SolidImage("quit.png", 128, 64, 0x30C030FFU);
    data.Archetype("background.txt", "Position Vec2 position 640 512 Vec2 size 640 512 float depth 9 end\n"
                                     "Sprite string name background.png end\n");
    data.Archetype("quit.txt", "Position Vec2 position 640 700 Vec2 size 200 60 float depth 5 end\n"
                               "Sprite string name quit.png end\n"
                               "Body float mass 0 Shape Rect end end\n"
                               "Clickable bool left true bool pressed true Message Quit end end\n");
    data.Level("menu.lvl", "background.txt end quit.txt end\n");
}

Application::Options OptionsFor(const TempData& data) { return {7, data.Root()}; }

// The game started on that menu with the real Win32 platform.
class Win32Game : public ::testing::Test {
protected:
    void SetUp() override {
        WriteMenu(data);
        ASSERT_TRUE(app.Startup());
        window = app.Window();
    }

    TempData data;
    Win32Platform platform;
    Application app{platform, OptionsFor(data)};
    WindowHandle window = nullptr;
};

TEST_F(Win32Game, StartsShowsTheMenuAndQuitsOnAClickOfTheQuitButton) {
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(wintest::IsVisible(window));
    int width = 0;
    int height = 0;
    wintest::OuterSize(window, width, height);
    const WinRect desktop = platform.GetDesktopRect();
    EXPECT_EQ(width, std::min(1280, desktop.right - desktop.left));
    EXPECT_EQ(height, std::min(1024, desktop.bottom - desktop.top));
    for (int frame = 0; frame < 3; ++frame) {
        ASSERT_TRUE(app.RunFrame());
    }

    // Client coordinates of the button's centre; the mouse mapping scales
    // them into the 1280 x 1024 space.
    const WinRect client = platform.GetClientRect(window);
    const int x = 640 * (client.right - client.left) / 1280;
    const int y = 700 * (client.bottom - client.top) / 1024;
    ASSERT_TRUE(wintest::Post(window, win::WM_MOUSEMOVE, 0, win::MakePointLParam(x, y)));
    ASSERT_TRUE(wintest::Post(window, win::WM_LBUTTONDOWN, 1, win::MakePointLParam(x, y)));
    ASSERT_TRUE(wintest::Post(window, win::WM_LBUTTONUP, 0, win::MakePointLParam(x, y)));
    EXPECT_FALSE(app.RunFrame());
    app.Shutdown();
    EXPECT_EQ(gCore, nullptr);
    EXPECT_FALSE(wintest::IsAlive(window));
    EXPECT_EQ(wintest::ClassStyle(platform.Instance(), kWindowClass), -1);
}

TEST_F(Win32Game, AClickBesideTheButtonKeepsRunningAndClosingTheWindowEndsTheLoop) {
    ASSERT_TRUE(wintest::Post(window, win::WM_MOUSEMOVE, 0, win::MakePointLParam(20, 20)));
    ASSERT_TRUE(wintest::Post(window, win::WM_LBUTTONDOWN, 1, 0));
    EXPECT_TRUE(app.RunFrame());
    ASSERT_TRUE(wintest::Post(window, wintest::kClose));
    EXPECT_FALSE(app.RunFrame());
    EXPECT_FALSE(wintest::IsAlive(window));
    app.Shutdown();
    EXPECT_EQ(wintest::ClassStyle(platform.Instance(), kWindowClass), -1);
}

// The device cannot be made: start-up reports it and undoes the window.
class NoDirect3DPlatform : public Win32Platform {
public:
    Direct3D* Direct3DCreate9(std::uint32_t) override { return nullptr; }
};

TEST(Win32GameWithoutDirect3D, TheStartFailsAndCleansUp) {
    TempData data;
    WriteMenu(data);
    NoDirect3DPlatform platform;
    Application app(platform, OptionsFor(data));
    testing::internal::CaptureStderr();
    EXPECT_EQ(app.Run(), 1);
    const std::string error = testing::internal::GetCapturedStderr();
    EXPECT_NE(error.find("Direct3D"), std::string::npos) << error;
    EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << error;
    EXPECT_EQ(gCore, nullptr);
    EXPECT_EQ(wintest::ClassStyle(platform.Instance(), kWindowClass), -1);
}

}  // namespace
