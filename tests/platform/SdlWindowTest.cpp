#include <SDL.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

#include "graphics/Graphics.h"
#include "harness/DisplayCheck.h"
#include "platform/DisplayFixture.h"
#include "platform/sdl/GlFont.h"

using SdlWindow = DisplayTest;

TEST_F(SdlWindow, IsTheDesktopClampedSizeTitledAndShownByTheGraphicsSystem) {
    TempData data;
    WriteMenu(data, {});
    GlGame game(data);
    const WinRect desktop = game.platform.GetDesktopRect();
    ASSERT_TRUE(game.Start());
    SDL_Window* window = game.platform.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(window), "VelmorWindowClass");
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    EXPECT_EQ(width, std::min(1280, desktop.right - desktop.left));
    EXPECT_EQ(height, std::min(1024, desktop.bottom - desktop.top));
    const WinRect client = game.platform.GetClientRect(window);
    EXPECT_EQ(client.right, width);
    EXPECT_EQ(client.bottom, height);
    EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN, 0U);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE) << "the game draws its own cursor";
    ASSERT_NE(game.Device(), nullptr);
    EXPECT_FALSE(game.Device()->RendererName().empty());
    game.app->Shutdown();
    EXPECT_EQ(game.platform.Window(), nullptr);
}

TEST_F(SdlWindow, StartsHidden) {
    SdlPlatform platform;
    auto* window = static_cast<SDL_Window*>(platform.CreateMainWindow(
        "Velmor", "VelmorWindowClass", 400, 300, [](WindowHandle, UINT, WPARAM, LPARAM) { return LRESULT{0}; }));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN, 0U);
    int x = -1;
    int y = -1;
    SDL_GetWindowPosition(window, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    platform.ShowMainWindow(window, win::SW_SHOWDEFAULT);
    EXPECT_NE(SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN, 0U);
}

TEST_F(SdlWindow, ArialBoldResolvesToAFortyPixelCellThatOutlivesItsDevice) {
    FontFile file;
    ASSERT_TRUE(ResolveFontFile("Arial", 700, false, file));
    EXPECT_NE(file.path.find("LiberationSans-Bold"), std::string::npos) << file.path;
    EXPECT_TRUE(file.bold);
    // A font whose device is gone draws nothing and releases without GL.
    auto gone = std::make_shared<GlDevice*>(nullptr);
    GlFont* font = GlFont::Create(gone, 40, 700, false, "Arial");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->CellHeight(), 40);
    WinRect rect{20, 20, 0, 0};
    EXPECT_GT(font->DrawTextA(nullptr, "Framerate: 60", -1, &rect, DT_NOCLIP, 0xFF000000U), 0);
    EXPECT_EQ(font->DrawTextA(nullptr, nullptr, -1, &rect, DT_NOCLIP, 0xFF000000U), 0);
    font->Release();
    EXPECT_EQ(GlFont::Create(gone, 40, 700, false, ""), nullptr);
}

namespace {
std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
}  // namespace

TEST_F(SdlWindow, GameWithoutAnyFontSaysSoOnOneLineAndExitsNonZero) {
    TempData data;
    data.Level("menu.lvl", "");
    // A fontconfig configuration that knows no fonts at all.
    data.Write("fonts.conf", "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
    const std::string command = "cd '" + data.Root() + "' && " + kGameEnvironment + "FONTCONFIG_FILE='" + data.Root() +
                                "fonts.conf' '" VELMOR_EXECUTABLE "' > out.txt 2> err.txt";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "the game must not crash";
    EXPECT_NE(WEXITSTATUS(status), 0);
    const std::string err = ReadFile(data.Root() + "err.txt");
    EXPECT_NE(err.find("font"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

TEST_F(SdlWindow, GameQuitsWithStatusZeroWhenAskedToQuit) {
    if (const std::string missing = MissingForDisplayTests(true); !missing.empty()) {
        GTEST_SKIP() << missing;
    }
    TempData data;
    data.Level("menu.lvl", "");
    // SDL turns SIGTERM into SDL_QUIT, the same event as the window's close
    // button; the signal is sent only once the window is shown, that is
    // once the start-up is over and the frame loop runs.
    const std::string script = "cd '" + data.Root() + "' && { " + kGameEnvironment +
                               "'" VELMOR_EXECUTABLE "' > out.txt 2> err.txt & pid=$!; "
                               "timeout 60 xdotool search --sync --onlyvisible --pid $pid > /dev/null; "
                               "kill -TERM $pid; wait $pid; echo $? > status.txt; }";
    ASSERT_EQ(std::system(script.c_str()), 0);
    EXPECT_EQ(ReadFile(data.Root() + "status.txt"), "0\n");
    EXPECT_EQ(ReadFile(data.Root() + "err.txt"), "");
}
