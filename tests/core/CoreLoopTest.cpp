#include <gtest/gtest.h>

#include <memory>

#include "core/Core.h"
#include "core/Messages.h"
#include "core/WindowProc.h"
#include "harness/MessageRecorder.h"
#include "harness/TempData.h"
#include "objects/BlockReader.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

// A bare core with three probe systems in the order first, second, third,
// on the headless clock; no factory, no game.
class CoreLoop : public ::testing::Test {
protected:
    void SetUp() override {
        gPlatform = &platform;
        gCore = &core;
        auto a = std::make_unique<MessageRecorder>(log, "first");
        auto b = std::make_unique<MessageRecorder>(log, "second", MessageRecorder::Keeps::OrderOnly);
        auto c = std::make_unique<MessageRecorder>(log, "third", MessageRecorder::Keeps::OrderOnly);
        first = a.get();
        second = b.get();
        third = c.get();
        core.systems.push_back(std::move(a));
        core.systems.push_back(std::move(b));
        core.systems.push_back(std::move(c));
        platform.SetTime(1000);
    }
    void TearDown() override {
        core.DestroySystems();
        gPlatform = nullptr;
    }

    void Broadcast(MessageId id) {
        Message message(id);
        core.BroadcastMessage(&message);
    }
    float Frame(std::uint32_t milliseconds) {
        platform.Advance(milliseconds);
        core.RunFrame();
        return log->updates.back();
    }
    void OpenWindow() { platform.CreateMainWindow("Velmor", "VelmorWindowClass", 1280, 1024, &WindowProc); }

    HeadlessPlatform platform;
    Core core{platform};
    std::shared_ptr<MessageLog> log = std::make_shared<MessageLog>();
    MessageRecorder* first = nullptr;
    MessageRecorder* second = nullptr;
    MessageRecorder* third = nullptr;
};

TEST_F(CoreLoop, ClockWrapGivesTheSmallTrueStep) {
    platform.SetTime(0xFFFFFFF0u);
    ASSERT_TRUE(core.BeginLoop());
    platform.SetTime(10);  // 16 ms to the wrap, 10 after it
    core.RunFrame();
    ASSERT_EQ(log->updates.size(), 1u);
    EXPECT_FLOAT_EQ(log->updates[0], 0.026f);
    EXPECT_EQ(core.lastTime, 10u);
}

TEST_F(CoreLoop, TimeStepHasACeilingAndMillisecondResolution) {
    core.BeginLoop();
    // An hour's stall advances the game by one longest step; the time beyond
    // it is dropped, not delivered later.
    EXPECT_FLOAT_EQ(Frame(3'600'000), Core::kMaxStep);
    EXPECT_FLOAT_EQ(Frame(16), 0.016f);
    EXPECT_FLOAT_EQ(Frame(35), 0.035f);
    EXPECT_FLOAT_EQ(Frame(36), Core::kMaxStep);
    EXPECT_FLOAT_EQ(Frame(0), 0.0f);
    EXPECT_FLOAT_EQ(Frame(1), 0.001f);
}

TEST_F(CoreLoop, ResumeGivesExactlyTwoZeroFramesAndDropsTheirTime) {
    core.BeginLoop();
    EXPECT_FLOAT_EQ(Frame(16), 0.016f);
    Broadcast(MsgResume);  // without a pause before it
    EXPECT_FLOAT_EQ(Frame(20), 0.0f);
    EXPECT_FLOAT_EQ(Frame(30), 0.0f);
    // Only the time since the second zero frame, not the 50 ms before it.
    EXPECT_FLOAT_EQ(Frame(30), 0.030f);
    EXPECT_EQ(core.zeroTimeFrames, 0);
    EXPECT_FLOAT_EQ(Frame(5), 0.005f);
}

TEST_F(CoreLoop, PausedTimeIsNeverDeliveredLater) {
    core.BeginLoop();
    Broadcast(MsgPause);
    EXPECT_FLOAT_EQ(Frame(500), 0.0f);
    EXPECT_FLOAT_EQ(Frame(700), 0.0f);
    EXPECT_TRUE(core.paused);
    EXPECT_EQ(core.zeroTimeFrames, 0);
    Broadcast(MsgResume);
    EXPECT_FALSE(core.paused);
    EXPECT_FLOAT_EQ(Frame(5), 0.0f);
    EXPECT_FLOAT_EQ(Frame(6), 0.0f);
    EXPECT_FLOAT_EQ(Frame(7), 0.007f);
}

TEST_F(CoreLoop, ResumeArrivingDuringThePumpCountsFromThatFrame) {
    // The real path: a key handled in the pump resumes time. The frame whose
    // pump resumed has already taken its step; the next two are zero.
    OpenWindow();
    core.BeginLoop();
    first->onMessage = [this](Message& message) {
        if (message.id == MsgKey) {
            Broadcast(MsgResume);
        }
    };
    platform.KeyDown('L');
    EXPECT_FLOAT_EQ(Frame(16), 0.016f);
    EXPECT_FLOAT_EQ(Frame(16), 0.0f);
    EXPECT_FLOAT_EQ(Frame(16), 0.0f);
    EXPECT_FLOAT_EQ(Frame(16), 0.016f);
}

TEST_F(CoreLoop, PauseAndResumeTakeEffectOnlyAfterEverySystemSawThem) {
    Broadcast(MsgPause);
    EXPECT_EQ(log->events,
              (std::vector<std::string>{"message first 10 paused=0 zero=0", "message second 10 paused=0 zero=0",
                                        "message third 10 paused=0 zero=0"}));
    EXPECT_TRUE(core.paused);
    log->events.clear();
    Broadcast(MsgResume);
    EXPECT_EQ(log->events,
              (std::vector<std::string>{"message first 11 paused=1 zero=0", "message second 11 paused=1 zero=0",
                                        "message third 11 paused=1 zero=0"}));
    EXPECT_FALSE(core.paused);
    EXPECT_EQ(core.zeroTimeFrames, 2);
}

TEST_F(CoreLoop, PauseStateFollowsTheIdAsSentEvenIfAReceiverRewritesIt) {
    // GameLogic reuses one message object for its pause and resume.
    first->onMessage = [](Message& message) {
        if (message.id == MsgPause) {
            message.id = MsgKey;
        }
    };
    Broadcast(MsgPause);
    EXPECT_TRUE(core.paused);
}

TEST_F(CoreLoop, NestedBroadcastReachesEverySystemBeforeTheOuterGoesOn) {
    second->onMessage = [this](Message& message) {
        if (message.id == MsgKey) {
            MouseMoveMessage move({1.0f, 2.0f});
            core.BroadcastMessage(&move);
        }
    };
    KeyMessage key(65);
    core.BroadcastMessage(&key);
    EXPECT_EQ(log->events,
              (std::vector<std::string>{"message first 1 paused=0 zero=0", "message second 1 paused=0 zero=0",
                                        "message first 3 paused=0 zero=0", "message second 3 paused=0 zero=0",
                                        "message third 3 paused=0 zero=0", "message third 1 paused=0 zero=0"}));
}

TEST_F(CoreLoop, QuitFromAnUpdateReachesNoSystemAndTheFrameStillCompletes) {
    core.BeginLoop();
    first->onUpdate = [this] { Broadcast(MsgQuit); };
    platform.Advance(16);
    EXPECT_FALSE(core.RunFrame());
    EXPECT_EQ(log->events, (std::vector<std::string>{"update first", "update second", "update third"}));
    EXPECT_EQ(log->Count(MsgQuit), 0);
}

TEST_F(CoreLoop, ClosingTheWindowEndsTheLoopAfterThatFrame) {
    OpenWindow();
    int frames = 0;
    third->onUpdate = [&frames, this] {
        if (++frames == 3) {
            platform.Close();  // handled in the next frame's pump
        }
    };
    core.GameLoop();
    EXPECT_EQ(frames, 4);
    EXPECT_FALSE(core.running);
    EXPECT_TRUE(log->messages.empty());
    // Every system completed the last frame.
    ASSERT_GE(log->events.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(log->events.end() - 3, log->events.end()),
              (std::vector<std::string>{"update first", "update second", "update third"}));
}

TEST_F(CoreLoop, LoopThatIsNotRunningRunsNoFrame) {
    core.running = false;
    core.GameLoop();
    EXPECT_TRUE(log->events.empty());
}

TEST_F(CoreLoop, FrameWithoutPendingWindowMessageUpdatesEverySystemOnce) {
    OpenWindow();
    core.BeginLoop();
    ASSERT_EQ(platform.PendingEvents(), 0u);
    platform.Advance(16);
    EXPECT_TRUE(core.RunFrame());
    EXPECT_EQ(log->events, (std::vector<std::string>{"update first", "update second", "update third"}));
}

TEST_F(CoreLoop, WindowInputIsBroadcastBeforeAnyUpdateOfTheFrame) {
    OpenWindow();
    core.BeginLoop();
    platform.KeyDown(65);
    platform.Advance(16);
    core.RunFrame();
    ASSERT_EQ(log->events.size(), 6u);
    EXPECT_EQ(log->events[0], "message first 1 paused=0 zero=0");
    EXPECT_EQ(log->events[2], "message third 1 paused=0 zero=0");
    EXPECT_EQ(log->events[3], "update first");
}

TEST_F(CoreLoop, TeardownDeletesSystemsFrontToBackAndClearsTheCore) {
    auto order = std::make_shared<std::vector<std::string>>();
    struct Dying : System {
        Dying(std::string n, std::shared_ptr<std::vector<std::string>> o) : name(std::move(n)), order(std::move(o)) {}
        ~Dying() override { order->push_back(name + (gCore != nullptr ? " core" : " nocore")); }
        void Update(float) override {}
        std::string name;
        std::shared_ptr<std::vector<std::string>> order;
    };
    core.systems.push_front(std::make_unique<Dying>("a", order));
    core.systems.push_back(std::make_unique<Dying>("b", order));
    core.DestroySystems();
    EXPECT_EQ(*order, (std::vector<std::string>{"a core", "b core"}));
    EXPECT_TRUE(core.systems.empty());
    EXPECT_EQ(gCore, nullptr);
}

// Records, when deleted, how many systems the core still held.
class TeardownProbe : public Component {
public:
    static constexpr const char* kTypeName = "TeardownProbe";

    TeardownProbe() : Component(kTypeName) {}
    ~TeardownProbe() override { systemsLeft.push_back(gCore != nullptr ? gCore->systems.size() : 0); }
    void Serialize(DataReader& in) override { SkipBlock(in, kTypeName); }
    static inline std::vector<std::size_t> systemsLeft;
};

TEST(CoreTeardown, TheDestructorDeletesEveryObjectBeforeAnySystem) {
    TempData data;
    data.Archetype("probe.txt", "TeardownProbe end");
    HeadlessPlatform platform;
    TeardownProbe::systemsLeft.clear();
    {
        Core core(platform);
        gCore = &core;
        core.systems.push_back(std::make_unique<MessageRecorder>());
        auto factory = std::make_unique<Factory>();
        factory->SetDataRoot(data.Root());
        factory->Register<TeardownProbe>();
        ASSERT_NE(factory->CreateObject("probe.txt"), nullptr);
        core.systems.push_back(std::move(factory));
    }
    EXPECT_EQ(TeardownProbe::systemsLeft, (std::vector<std::size_t>{2}));
    EXPECT_EQ(gCore, nullptr);
}

}  // namespace
