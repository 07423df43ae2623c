// Real SDL events through SdlPlatform::PumpMessages: the Win32 records they
// become, and the engine messages the window procedure makes of them.
#include <SDL.h>

#include "core/Core.h"
#include "core/Messages.h"
#include "core/WindowProc.h"
#include "game/GameLogic.h"
#include "harness/MessageRecorder.h"
#include "platform/DisplayFixture.h"

namespace {
struct Raw {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Raw&) const = default;
};
std::vector<Raw> gRecords;

LRESULT RecordingProc(WindowHandle, UINT message, WPARAM wParam, LPARAM lParam) {
    // Size changes are the window system's business; the engine ignores them.
    if (message != win::WM_SIZE) {
        gRecords.push_back({message, wParam, lParam});
    }
    return 0;
}

void PushKey(Uint32 type, SDL_Keycode key, bool repeat) {
    SDL_Event event{};
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

void PushMotion(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
}

void PushButton(Uint32 type, Uint8 button, int x, int y) {
    SDL_Event event{};
    event.type = type;
    event.button.button = button;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
}

void PushClose(SDL_Window* window) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    event.window.windowID = SDL_GetWindowID(window);
    ASSERT_EQ(SDL_PushEvent(&event), 1);
}

void PushQuit() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
}

class SdlEvents : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        gRecords.clear();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    SdlPlatform platform;
};
}  // namespace

TEST_F(SdlEvents, BecomeTheWin32RecordsOfTheirKeysAndClientPositions) {
    auto* window =
        static_cast<SDL_Window*>(platform.CreateMainWindow("Velmor", "VelmorWindowClass", 640, 512, &RecordingProc));
    ASSERT_NE(window, nullptr);
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    PushKey(SDL_KEYDOWN, SDLK_a, false);
    PushKey(SDL_KEYDOWN, SDLK_a, true);
    PushKey(SDL_KEYDOWN, SDLK_a, true);
    PushKey(SDL_KEYUP, SDLK_a, false);
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE, false);
    PushKey(SDL_KEYDOWN, SDLK_LEFT, false);
    PushKey(SDL_KEYDOWN, SDLK_DOWN, false);
    PushKey(SDL_KEYDOWN, SDLK_7, false);
    PushKey(SDL_KEYDOWN, SDLK_F12, false);
    PushKey(SDL_KEYUP, SDLK_F12, false);
    PushMotion(320, 256);
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 2);
    PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 3, 4);
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 3, 4);
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 5, 6);
    PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 7, 8);
    PushClose(window);
    PushQuit();
    platform.PumpMessages();

    ASSERT_EQ(gRecords.size(), 14U);
    const auto key = [](const Raw& r) { return std::make_pair(r.message, r.wParam); };
    EXPECT_EQ(key(gRecords[0]), std::make_pair(win::WM_KEYDOWN, WPARAM{0x41}));
    EXPECT_EQ(key(gRecords[1]), std::make_pair(win::WM_KEYDOWN, WPARAM{0x41}));
    EXPECT_EQ(key(gRecords[2]), std::make_pair(win::WM_KEYDOWN, WPARAM{0x41}));
    EXPECT_EQ(gRecords[0].lParam & (1 << 30), 0) << "a first press was not down before";
    EXPECT_NE(gRecords[1].lParam & (1 << 30), 0) << "an auto-repeat was down before";
    EXPECT_EQ(gRecords[1].lParam & 0xFFFF, 1) << "one record per repeat";
    EXPECT_EQ(key(gRecords[3]), std::make_pair(win::WM_KEYDOWN, WPARAM{0x1B}));
    EXPECT_EQ(key(gRecords[4]), std::make_pair(win::WM_KEYDOWN, WPARAM{0x25}));
    EXPECT_EQ(key(gRecords[5]), std::make_pair(win::WM_KEYDOWN, WPARAM{0x28}));
    EXPECT_EQ(key(gRecords[6]), std::make_pair(win::WM_KEYDOWN, WPARAM{0x37}));
    EXPECT_EQ(key(gRecords[7]), std::make_pair(win::WM_KEYDOWN, WPARAM{0x7B}));
    EXPECT_EQ(gRecords[8].message, win::WM_MOUSEMOVE);
    EXPECT_EQ(gRecords[8].lParam, win::MakePointLParam(320, 256));
    EXPECT_EQ(gRecords[9].message, win::WM_LBUTTONDOWN);
    EXPECT_EQ(gRecords[9].lParam, win::MakePointLParam(1, 2));
    EXPECT_EQ(gRecords[10].message, win::WM_LBUTTONUP);
    EXPECT_EQ(gRecords[11].message, win::WM_RBUTTONDOWN);
    EXPECT_EQ(gRecords[11].lParam, win::MakePointLParam(5, 6));
    EXPECT_EQ(gRecords[12].message, win::WM_RBUTTONUP);
    EXPECT_EQ(gRecords[13].message, win::WM_DESTROY) << "close and quit together destroy once";
    EXPECT_TRUE(platform.WindowDestroyed());
    EXPECT_EQ((SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN), 0U);

    // The close already destroyed the window: neither later events nor the
    // teardown's destruction deliver another WM_DESTROY.
    PushKey(SDL_KEYDOWN, SDLK_b, false);
    PushQuit();
    platform.PumpMessages();
    platform.DestroyMainWindow(window, "Velmor");
    EXPECT_EQ(gRecords.size(), 14U);
    EXPECT_EQ(platform.Window(), nullptr);
}

TEST_F(SdlEvents, CloseAndQuitTogetherGiveOneDestroyAndDestroyingALiveWindowGivesOne) {
    {
        SdlPlatform closed;
        auto* window =
            static_cast<SDL_Window*>(closed.CreateMainWindow("Velmor", "VelmorWindowClass", 320, 200, &RecordingProc));
        ASSERT_NE(window, nullptr);
        PushClose(window);
        PushQuit();
        closed.PumpMessages();
        ASSERT_EQ(gRecords.size(), 1U);
        EXPECT_EQ(gRecords[0].message, win::WM_DESTROY);
    }
    gRecords.clear();
    WindowHandle window = platform.CreateMainWindow("Velmor", "VelmorWindowClass", 320, 200, &RecordingProc);
    ASSERT_NE(window, nullptr);
    platform.DestroyMainWindow(window, "Velmor");
    ASSERT_EQ(gRecords.size(), 1U);
    EXPECT_EQ(gRecords[0].message, win::WM_DESTROY);
    platform.DestroyMainWindow(window, "Velmor");
    EXPECT_EQ(gRecords.size(), 1U);
}

TEST_F(SdlEvents, ReachTheEngineAsKeyMouseAndOneQuitMessage) {
    Core core(platform);
    gCore = &core;
    gPlatform = &platform;
    core.systems.push_back(std::make_unique<GameLogic>());
    auto recorder = std::make_unique<MessageRecorder>();
    MessageRecorder& seen = *recorder;
    core.systems.push_back(std::move(recorder));

    // A 640 x 512 client area: positions scale by two into 1280 x 1024.
    auto* window =
        static_cast<SDL_Window*>(platform.CreateMainWindow("Velmor", "VelmorWindowClass", 640, 512, &WindowProc));
    ASSERT_NE(window, nullptr);
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    const WinRect client = platform.GetClientRect(window);
    ASSERT_EQ(client.right - client.left, 640);
    ASSERT_EQ(client.bottom - client.top, 512);

    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 9, 9);  // before any move: (0, 0)
    PushKey(SDL_KEYDOWN, SDLK_d, false);
    PushKey(SDL_KEYDOWN, SDLK_d, true);
    PushKey(SDL_KEYDOWN, SDLK_d, true);
    PushKey(SDL_KEYUP, SDLK_d, false);
    PushMotion(320, 256);
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 1);
    PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 2, 2);
    PushMotion(160, 384);
    PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 3, 3);
    PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 4, 4);
    PushClose(window);
    platform.PumpMessages();

    EXPECT_FALSE(core.running) << "the close became MsgQuit";
    const auto& m = seen.log->messages;
    ASSERT_EQ(m.size(), 10U);
    EXPECT_EQ(m[0].id, MsgMouseButton);
    EXPECT_EQ(m[0].position, (Vec2{0.0f, 0.0f}));
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(m[i].id, MsgKey);
        EXPECT_EQ(m[i].key, 0x44);
    }
    EXPECT_EQ(m[4].id, MsgMouseMove);
    EXPECT_EQ(m[4].position, (Vec2{640.0f, 512.0f}));
    EXPECT_EQ(m[5].id, MsgMouseButton);
    EXPECT_TRUE(m[5].left && m[5].pressed);
    EXPECT_EQ(m[5].position, (Vec2{640.0f, 512.0f})) << "buttons carry the last mouse position";
    EXPECT_TRUE(m[6].left && !m[6].pressed);
    EXPECT_EQ(m[7].position, (Vec2{320.0f, 768.0f}));
    EXPECT_TRUE(!m[8].left && m[8].pressed);
    EXPECT_EQ(m[8].position, (Vec2{320.0f, 768.0f}));
    EXPECT_TRUE(!m[9].left && !m[9].pressed);
    for (const auto& message : m) {
        EXPECT_NE(message.id, MsgQuit) << "MsgQuit reaches no system";
    }

    // Exactly one MsgQuit: with the loop let run again, a second quit and
    // the teardown's destruction change nothing.
    core.running = true;
    PushQuit();
    platform.PumpMessages();
    platform.DestroyMainWindow(window, "Velmor");
    EXPECT_TRUE(core.running);
    EXPECT_EQ(m.size(), 10U);

    core.DestroySystems();
    gPlatform = nullptr;
}

TEST_F(SdlEvents, KeyStateCursorCounterAndDirect3DWithoutAWindow) {
    EXPECT_EQ(platform.Direct3DCreate9(D3D_SDK_VERSION), nullptr) << "no window, no context";
    WindowHandle window = platform.CreateMainWindow("Velmor", "VelmorWindowClass", 320, 200, &RecordingProc);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(platform.Direct3DCreate9(31), nullptr);
    Direct3D* d3d = platform.Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);
    d3d->Release();

    for (int vk : {0x41, 0x5A, 0x30, win::VK_SHIFT, win::VK_CONTROL, win::VK_UP, win::VK_LBUTTON, 0xFF}) {
        EXPECT_EQ(platform.GetKeyState(vk), 0) << "nothing is held under a fresh X server: " << vk;
    }
    const std::uint32_t before = platform.TimeGetTime();
    SDL_Delay(2);
    EXPECT_GE(platform.TimeGetTime(), before);

    EXPECT_EQ(platform.ShowCursor(false), -1);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_EQ(platform.ShowCursor(false), -2);
    EXPECT_EQ(platform.ShowCursor(true), -1);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE) << "shown only once the counter is back to 0";
    EXPECT_EQ(platform.ShowCursor(true), 0);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    platform.DestroyMainWindow(window, "Velmor");
}
