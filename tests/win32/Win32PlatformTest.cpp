#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NativeTestWindow.h"
#include "core/WindowProc.h"
#include "platform/win32/Win32Platform.h"

namespace {

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Received> gReceived;

LRESULT RecordingProc(WindowHandle, UINT message, WPARAM wParam, LPARAM lParam) {
    gReceived.push_back({message, wParam, lParam});
    return 0;
}

bool ReceivedMessage(UINT message) {
    for (const Received& r : gReceived) {
        if (r.message == message) {
            return true;
        }
    }
    return false;
}

constexpr const char* kClass = "VelmorPlatformTest";
constexpr const char* kTitle = "Velmor platform test";

class Win32PlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        gReceived.clear();
        window = platform.CreateMainWindow(kClass, kTitle, 800, 600, &RecordingProc);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        if (window != nullptr) {
            platform.DestroyMainWindow(window, kClass);
        }
    }

    Win32Platform platform;
    WindowHandle window = nullptr;
};

TEST_F(Win32PlatformTest, CreatesAHiddenOverlappedWindowOfTheClassAndSize) {
    EXPECT_EQ(wintest::ClassStyle(platform.Instance(), kClass), static_cast<long>(wintest::kClassDc));
    EXPECT_EQ(wintest::WindowStyle(window) & wintest::kOverlappedWindow, wintest::kOverlappedWindow);
    EXPECT_FALSE(wintest::IsVisible(window));
    int width = 0;
    int height = 0;
    wintest::OuterSize(window, width, height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    // The client area lies inside the frame and caption.
    const WinRect client = platform.GetClientRect(window);
    EXPECT_GT(client.right - client.left, 0);
    EXPECT_LE(client.right - client.left, 800);
    EXPECT_LT(client.bottom - client.top, 600);

    platform.ShowMainWindow(window, win::SW_SHOWDEFAULT);
    EXPECT_TRUE(wintest::IsVisible(window));
}

TEST_F(Win32PlatformTest, MessagesTheEngineDoesNotHandleGetTheDefaultProcessing) {
    // WM_GETTEXT is answered by DefWindowProcA from the title; the engine
    // procedure never sees it.
    char text[64] = {};
    const auto length = wintest::Send(window, wintest::kGetText, sizeof(text), reinterpret_cast<std::intptr_t>(text));
    EXPECT_EQ(std::string(text, static_cast<std::size_t>(length)), kTitle);
    EXPECT_FALSE(ReceivedMessage(wintest::kGetText));
    for (const Received& r : gReceived) {
        EXPECT_TRUE(IsEngineWindowMessage(r.message)) << "message " << r.message << " reached the engine";
    }
}

TEST_F(Win32PlatformTest, PumpDeliversQueuedInputToTheEngineAndReturnsWhenEmpty) {
    platform.PumpMessages();
    gReceived.clear();
    ASSERT_TRUE(wintest::Post(window, win::WM_KEYDOWN, 0x41, 0x001E0001));
    ASSERT_TRUE(wintest::Post(window, win::WM_MOUSEMOVE, 0, win::MakePointLParam(-3, 250)));
    ASSERT_TRUE(wintest::Post(window, win::WM_RBUTTONUP, 0, 0));
    ASSERT_TRUE(wintest::Post(window, win::WM_KEYUP, 0x41, 0));
    platform.PumpMessages();

    std::vector<Received> engine;
    for (const Received& r : gReceived) {
        if (r.message == win::WM_KEYDOWN || r.message == win::WM_MOUSEMOVE || r.message == win::WM_RBUTTONUP) {
            engine.push_back(r);
        }
    }
    ASSERT_EQ(engine.size(), 3U);
    EXPECT_EQ(engine[0].message, win::WM_KEYDOWN);
    EXPECT_EQ(engine[0].wParam, 0x41U);
    EXPECT_EQ(engine[1].message, win::WM_MOUSEMOVE);
    EXPECT_EQ(win::PointX(engine[1].lParam), -3);
    EXPECT_EQ(win::PointY(engine[1].lParam), 250);
    EXPECT_EQ(engine[2].message, win::WM_RBUTTONUP);
    // Key-up and the WM_CHAR that TranslateMessage makes are not engine input.
    EXPECT_FALSE(ReceivedMessage(win::WM_KEYUP));
    EXPECT_FALSE(ReceivedMessage(win::WM_CHAR));

    // Nothing queued: the pump returns at once instead of waiting.
    gReceived.clear();
    platform.PumpMessages();
    EXPECT_TRUE(gReceived.empty());
}

TEST_F(Win32PlatformTest, CloseDestroysTheWindowThroughTheDefaultProcedure) {
    ASSERT_TRUE(wintest::Post(window, wintest::kClose));
    platform.PumpMessages();
    EXPECT_TRUE(ReceivedMessage(win::WM_DESTROY));
    EXPECT_FALSE(wintest::IsAlive(window));
    // Teardown still destroys (a no-op now) and unregisters the class.
    platform.DestroyMainWindow(window, kClass);
    window = nullptr;
    EXPECT_EQ(wintest::ClassStyle(platform.Instance(), kClass), -1);
}

TEST_F(Win32PlatformTest, DestroyDeliversWmDestroyAndUnregistersTheClass) {
    platform.DestroyMainWindow(window, kClass);
    EXPECT_TRUE(ReceivedMessage(win::WM_DESTROY));
    EXPECT_FALSE(wintest::IsAlive(window));
    EXPECT_EQ(wintest::ClassStyle(platform.Instance(), kClass), -1);
    window = nullptr;
    // The class can be registered again, as the next run of the game does.
    window = platform.CreateMainWindow(kClass, kTitle, 320, 200, &RecordingProc);
    EXPECT_NE(window, nullptr);
}

TEST(Win32PlatformBasics, DesktopClockKeysAndCursor) {
    Win32Platform platform;
    const WinRect desktop = platform.GetDesktopRect();
    EXPECT_GT(desktop.right - desktop.left, 0);
    EXPECT_GT(desktop.bottom - desktop.top, 0);
    const std::uint32_t first = platform.TimeGetTime();
    const std::uint32_t second = platform.TimeGetTime();
    EXPECT_LT(second - first, 1000U);
    // Nobody holds F24 in a test run.
    EXPECT_GE(platform.GetKeyState(0x87), 0);
    const int hidden = platform.ShowCursor(false);
    EXPECT_EQ(platform.ShowCursor(true), hidden + 1);
}

TEST(Win32PlatformBasics, AWindowThatCannotBeCreatedLeavesNoClassBehind) {
    Win32Platform platform;
    // A second registration of the same class fails, so the second window
    // is refused; the first one stays usable.
    WindowHandle first = platform.CreateMainWindow("VelmorTwice", "a", 100, 100, &RecordingProc);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(platform.CreateMainWindow("VelmorTwice", "b", 100, 100, &RecordingProc), nullptr);
    EXPECT_TRUE(wintest::IsAlive(first));
    gReceived.clear();
    ASSERT_TRUE(wintest::Post(first, win::WM_KEYDOWN, 0x20, 0));
    platform.PumpMessages();
    EXPECT_TRUE(ReceivedMessage(win::WM_KEYDOWN));
    platform.DestroyMainWindow(first, "VelmorTwice");
    EXPECT_EQ(wintest::ClassStyle(platform.Instance(), "VelmorTwice"), -1);
}

}  // namespace
