#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>

#include "core/Application.h"
#include "core/Core.h"
#include "core/Messages.h"
#include "core/WindowProc.h"
#include "game/GameLogic.h"
#include "harness/MessageRecorder.h"
#include "harness/TempData.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

// The window procedure in front of a core that holds the real GameLogic
// (which keeps the mouse position) and a probe behind it.
class WindowInput : public ::testing::Test {
protected:
    void SetUp() override {
        gPlatform = &platform;
        gCore = &core;
        core.systems.push_back(std::make_unique<GameLogic>());
        core.systems.push_back(std::make_unique<MessageRecorder>(log, "first"));
        platform.CreateMainWindow("Velmor", "VelmorWindowClass", 1280, 1024, &WindowProc);
        core.BeginLoop();
    }
    void TearDown() override {
        core.DestroySystems();
        gPlatform = nullptr;
    }
    void Pump() {
        platform.Advance(16);
        core.RunFrame();
    }

    HeadlessPlatform platform;
    Core core{platform};
    std::shared_ptr<MessageLog> log = std::make_shared<MessageLog>();
};

TEST_F(WindowInput, MouseIsMappedOntoTheVirtualScreenFromTheCurrentClientSize) {
    platform.SetClientSize(640, 512);
    platform.MouseMove(320, 256);
    platform.MouseMove(640, 512);
    Pump();
    platform.SetClientSize(2560, 2048);  // resized: the same corner still maps to the far corner
    platform.MouseMove(2560, 2048);
    Pump();
    ASSERT_EQ(log->Positions().size(), 3u);
    EXPECT_EQ(log->Positions()[0], Vec2(640.0f, 512.0f));
    EXPECT_EQ(log->Positions()[1], Vec2(1280.0f, 1024.0f));
    EXPECT_EQ(log->Positions()[2], Vec2(1280.0f, 1024.0f));
    EXPECT_EQ(gGameLogic->mousePosition, Vec2(1280.0f, 1024.0f));
}

TEST_F(WindowInput, ClientCoordinatesAreSigned16Bit) {
    // A captured mouse left of and above the client area.
    platform.SetClientSize(640, 512);
    platform.MouseMove(-10, -20);
    Pump();
    ASSERT_EQ(log->Positions().size(), 1u);
    EXPECT_EQ(log->Positions()[0], Vec2(-20.0f, -40.0f));
}

TEST_F(WindowInput, EmptyClientAreaGivesAFinitePositionWithThatAxisAtZero) {
    // The client size is read when the event is handled, in the pump.
    platform.SetClientSize(0, 512);
    platform.MouseMove(100, 256);
    Pump();
    platform.SetClientSize(640, 0);
    platform.MouseMove(320, 99);
    Pump();
    platform.SetClientSize(0, 0);
    platform.MouseMove(5, 5);
    Pump();
    ASSERT_EQ(log->Positions().size(), 3u);
    for (const Vec2& p : log->Positions()) {
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    }
    EXPECT_EQ(log->Positions()[0], Vec2(0.0f, 512.0f));
    EXPECT_EQ(log->Positions()[1], Vec2(640.0f, 0.0f));
    EXPECT_EQ(log->Positions()[2], Vec2(0.0f, 0.0f));
}

TEST_F(WindowInput, ButtonsCarryTheLastMovePositionNotTheirOwn) {
    platform.Post(win::WM_LBUTTONDOWN, 0, win::MakePointLParam(300, 300));
    Pump();
    platform.MouseMove(100, 200);
    platform.Post(win::WM_LBUTTONUP, 0, win::MakePointLParam(7, 7));
    platform.Post(win::WM_RBUTTONDOWN, 0, win::MakePointLParam(8, 8));
    platform.Post(win::WM_RBUTTONUP);
    Pump();
    ASSERT_EQ(log->Ids(),
              (std::vector<MessageId>{MsgMouseButton, MsgMouseMove, MsgMouseButton, MsgMouseButton, MsgMouseButton}));
    EXPECT_EQ(log->Positions()[0], Vec2(0.0f, 0.0f));  // before any move
    for (std::size_t i = 1; i < log->Positions().size(); ++i) {
        EXPECT_EQ(log->Positions()[i], Vec2(100.0f, 200.0f)) << i;
    }
}

TEST_F(WindowInput, ButtonMessagesTellLeftRightDownUp) {
    struct Seen {
        bool left;
        bool pressed;
    };
    std::vector<Seen> seen;
    auto* probe = static_cast<MessageRecorder*>(core.systems.back().get());
    probe->onMessage = [&seen](Message& message) {
        if (message.id == MsgMouseButton) {
            auto& button = static_cast<MouseButtonMessage&>(message);
            seen.push_back({button.left, button.pressed});
        }
    };
    platform.LeftDown();
    platform.LeftUp();
    platform.RightDown();
    platform.RightUp();
    Pump();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_TRUE(seen[0].left && seen[0].pressed);
    EXPECT_TRUE(seen[1].left && !seen[1].pressed);
    EXPECT_TRUE(!seen[2].left && seen[2].pressed);
    EXPECT_TRUE(!seen[3].left && !seen[3].pressed);
}

TEST_F(WindowInput, EveryAutoRepeatIsAKeyMessageAndNothingElseIsPassedOn) {
    platform.KeyDown('W');
    platform.KeyDown('W');
    platform.KeyDown('W');
    platform.Post(win::WM_KEYUP, 'W');
    platform.Post(win::WM_CHAR, 'w');
    platform.Post(win::WM_MBUTTONDOWN);
    platform.Post(win::WM_SIZE, 0, win::MakePointLParam(10, 10));
    platform.Post(0x0203);  // left double-click
    Pump();
    EXPECT_EQ(log->Keys(), (std::vector<std::int32_t>{'W', 'W', 'W'}));
    EXPECT_EQ(log->messages.size(), 3u);
    EXPECT_EQ(WindowProc(nullptr, win::WM_KEYUP, 'W', 0), 0);
}

TEST_F(WindowInput, DestroyWithoutACoreProducesNothing) {
    gCore = nullptr;
    EXPECT_EQ(WindowProc(nullptr, win::WM_DESTROY, 0, 0), 0);
    EXPECT_EQ(WindowProc(nullptr, win::WM_KEYDOWN, 65, 0), 0);
    EXPECT_EQ(WindowProc(nullptr, win::WM_MOUSEMOVE, 0, win::MakePointLParam(1, 1)), 0);
    EXPECT_EQ(WindowProc(nullptr, win::WM_LBUTTONDOWN, 0, 0), 0);
    EXPECT_TRUE(core.running);
    EXPECT_TRUE(log->events.empty());
    gCore = &core;
    WindowProc(nullptr, win::WM_DESTROY, 0, 0);
    EXPECT_FALSE(core.running);
    EXPECT_TRUE(log->messages.empty());  // quit reaches no system
}

TEST(WindowSize, OuterSizeIsClampedToTheDesktop) {
    // The last: the size is right - left, wherever the desktop starts.
    const std::pair<WinRect, std::pair<int, int>> cases[] = {{{0, 0, 1920, 1080}, {1280, 1024}},
                                                             {{0, 0, 1024, 768}, {1024, 768}},
                                                             {{0, 0, 1280, 1024}, {1280, 1024}},
                                                             {{0, 0, 2560, 900}, {1280, 900}},
                                                             {{-100, 50, 924, 818}, {1024, 768}}};
    for (const auto& [desktop, size] : cases) {
        std::pair<int, int> clamped;
        ClampWindowSize(desktop, clamped.first, clamped.second);
        EXPECT_EQ(clamped, size);
    }
}

// Counts the destruction messages the window procedure receives, and
// whether a core was there to hear them.
class CountingPlatform : public HeadlessPlatform {
public:
    WindowHandle CreateMainWindow(const char* className, const char* title, int outerWidth, int outerHeight,
                                  WindowProcFn) override {
        return HeadlessPlatform::CreateMainWindow(className, title, outerWidth, outerHeight, &Counting);
    }
    static LRESULT Counting(WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == win::WM_DESTROY) {
            ++(gCore != nullptr ? destroysWithCore : destroysWithoutCore);
            quitBefore = gCore != nullptr && !gCore->running;
        }
        return WindowProc(window, message, wParam, lParam);
    }
    static inline int destroysWithCore = 0;
    static inline int destroysWithoutCore = 0;
    static inline bool quitBefore = false;
};

class WindowLifetime : public ::testing::Test {
protected:
    void SetUp() override {
        CountingPlatform::destroysWithCore = 0;
        CountingPlatform::destroysWithoutCore = 0;
        data.Level("menu.lvl", "");
    }
    TempData data;
    CountingPlatform platform;
};

TEST_F(WindowLifetime, DesktopSizeDecidesTheWindowSize) {
    platform.SetDesktopSize(1024, 768);
    Application app(platform, {1u, data.Root()});
    ASSERT_TRUE(app.Startup());
    EXPECT_EQ(platform.WindowWidth(), 1024);
    EXPECT_EQ(platform.WindowHeight(), 768);
    app.Shutdown();
}

TEST_F(WindowLifetime, ClosingBroadcastsOneQuitAndTeardownNone) {
    Application app(platform, {1u, data.Root()});
    ASSERT_TRUE(app.Startup());
    EXPECT_TRUE(app.RunFrame());
    platform.Close();
    EXPECT_FALSE(app.RunFrame());
    EXPECT_EQ(CountingPlatform::destroysWithCore, 1);
    EXPECT_FALSE(CountingPlatform::quitBefore);
    app.Shutdown();
    EXPECT_EQ(CountingPlatform::destroysWithCore, 1);
    EXPECT_EQ(CountingPlatform::destroysWithoutCore, 0);
}

TEST_F(WindowLifetime, WindowDestroyedByTeardownReachesNoCore) {
    Application app(platform, {1u, data.Root()});
    ASSERT_TRUE(app.Startup());
    platform.KeyDown(win::VK_ESCAPE);  // Esc on the menu ends the loop
    EXPECT_FALSE(app.RunFrame());
    EXPECT_EQ(CountingPlatform::destroysWithCore, 0);
    app.Shutdown();
    EXPECT_TRUE(platform.WindowDestroyed());
    EXPECT_EQ(CountingPlatform::destroysWithCore, 0);
    EXPECT_EQ(CountingPlatform::destroysWithoutCore, 1);
}

}  // namespace
