#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "RandomDraws.h"
#include "ai/AIController.h"
#include "ai/RandomTargetAI.h"
#include "ai/TargetFollowingAI.h"
#include "core/Messages.h"
#include "game/GameLogic.h"
#include "harness/GameScene.h"
#include "objects/BlockReader.h"
#include "objects/Factory.h"
#include "physics/Body.h"
#include "physics/Position.h"

namespace {

const char* const kWanderer =
    "Position Vec2 position 10 10 end Body float mass 1 float drag 0 Shape Circle end end RandomTargetAI end";

class Wandering : public testing::Test {
protected:
    void SetUp() override {
        scene.data.Archetype("wanderer.txt", kWanderer);
        ASSERT_TRUE(scene.Start("wanderer.txt end"));
        ai = scene.First<RandomTargetAI>("RandomTargetAI");
        ASSERT_NE(ai, nullptr);
        position = &ai->body->transform->position;
    }

    // Puts the body where the draws after srand(seed) take the target,
    // before any mirroring, to `unmirrored`; then picks.
    Vec2 PickLandingAt(unsigned seed, Vec2 unmirrored) {
        const std::vector<int> draws = Draws(seed, 2);
        const Vec2 offset{(Fraction(draws[0]) - 0.5f) * 1000.0f, (Fraction(draws[1]) - 0.5f) * 1000.0f};
        *position = unmirrored - offset;
        std::srand(seed);
        ai->PickTarget();
        return ai->target;
    }

    GameScene scene;
    RandomTargetAI* ai = nullptr;
    Vec2* position = nullptr;
};

TEST_F(Wandering, ATargetPastTheLowerCornerIsMirroredBackIntoTheRectangle) {
    // Standing at (10, 10) with an offset of (-300, 200): (-290, 210).
    const Vec2 target = PickLandingAt(7, {-290.0f, 210.0f});
    EXPECT_NEAR(target.x, 290.0f, 1e-2f);
    EXPECT_NEAR(target.y, 210.0f, 1e-2f);
}

TEST_F(Wandering, ATargetPastTheUpperCornerIsMirroredBackIntoTheRectangle) {
    const Vec2 target = PickLandingAt(11, {1300.0f, 1100.0f});
    EXPECT_NEAR(target.x, 1260.0f, 1e-2f);
    EXPECT_NEAR(target.y, 948.0f, 1e-2f);
}

TEST_F(Wandering, AMirroredTargetIsNotTestedAgain) {
    const Vec2 target = PickLandingAt(13, {-2000.0f, 3000.0f});
    EXPECT_NEAR(target.x, 2000.0f, 1e-1f);
    EXPECT_NEAR(target.y, -952.0f, 1e-1f);
}

TEST_F(Wandering, TheClampRectangleComesFromTheData) {
    scene.data.Archetype("boxed.txt", std::string(kWanderer) + " RandomTargetAI Vec2 clampMin 100 100 "
                                                               "Vec2 clampMax 200 200 float force 30 end");
    GameObject* boxed = gFactory->CreateObject("boxed.txt");
    ASSERT_NE(boxed, nullptr);
    Factory::PlaceInLevel(*boxed, *gGameLogic->levels.head);
    ai = boxed->Get<RandomTargetAI>();
    position = &ai->body->transform->position;
    EXPECT_EQ(ai->force, 30.0f);
    const Vec2 target = PickLandingAt(17, {90.0f, 250.0f});
    EXPECT_NEAR(target.x, 110.0f, 1e-2f);
    EXPECT_NEAR(target.y, 150.0f, 1e-2f);
}

TEST_F(Wandering, RandomOffsetsStayWithin500OnEachAxis) {
    ai->clampMin = {-1e6f, -1e6f};
    ai->clampMax = {1e6f, 1e6f};
    *position = {640.0f, 512.0f};
    std::srand(5);
    for (int i = 0; i < 2000; ++i) {
        ai->PickTarget();
        ASSERT_LE(std::fabs(ai->target.x - 640.0f), 500.0f) << i;
        ASSERT_LE(std::fabs(ai->target.y - 512.0f), 500.0f) << i;
    }
}

TEST_F(Wandering, TargetSpanHoldsEveryTargetAPickGivesAndReachesItsEnds) {
    // A wide clamp keeps the targets inside it; a narrow one, an inverted
    // one and a body outside the clamp let them land beyond its sides.
    struct Case {
        float from, to, low, high;
    };
    for (const Case c :
         {Case{300, 900, 100, 700}, Case{400, 500, 300, 600}, Case{100, 200, 500, 560}, Case{300, 350, 600, 200}}) {
        float first = 0.0f;
        float last = 0.0f;
        RandomTargetAI::TargetSpan(c.from, c.to, c.low, c.high, first, last);
        ai->clampMin = {c.low, c.low};
        ai->clampMax = {c.high, c.high};
        float seenFirst = 1e9f;
        float seenLast = -1e9f;
        std::srand(3);
        for (int i = 0; i < 6000; ++i) {
            const float at = c.from + (c.to - c.from) * static_cast<float>(i % 3) / 2.0f;
            *position = {at, at};
            ai->PickTarget();
            ASSERT_GE(ai->target.x, first - 1e-3f) << c.low << " " << c.high;
            ASSERT_LE(ai->target.x, last + 1e-3f) << c.low << " " << c.high;
            seenFirst = std::min(seenFirst, ai->target.x);
            seenLast = std::max(seenLast, ai->target.x);
        }
        EXPECT_NEAR(seenFirst, first, 25.0f) << c.low << " " << c.high;
        EXPECT_NEAR(seenLast, last, 25.0f) << c.low << " " << c.high;
    }
}

TEST_F(Wandering, CloseToItsTargetItPicksAgainAsOftenAsNeededBeforeSteering) {
    *position = {640.0f, 512.0f};
    // A seed whose first pick lands within sqrt(1500) of the body.
    unsigned seed = 0;
    for (unsigned s = 1; s < 200000 && seed == 0; ++s) {
        std::srand(s);
        ai->PickTarget();
        if (LengthSquared(ai->target - *position) < 1500.0f) {
            seed = s;
        }
    }
    ASSERT_NE(seed, 0U);
    std::srand(seed);
    Vec2 expected;
    do {
        ai->PickTarget();
        expected = ai->target;
    } while (LengthSquared(expected - *position) < 1500.0f);
    const int nextDraw = std::rand();

    ai->target = *position;
    ai->body->accumulatedForce = {0.0f, 0.0f};
    std::srand(seed);
    ai->Update(0.016f);
    EXPECT_EQ(ai->target, expected);
    EXPECT_EQ(std::rand(), nextDraw);
    const Vec2 force = ai->body->accumulatedForce;
    EXPECT_NEAR(std::sqrt(LengthSquared(force)), 1000.0f, 1e-2f);
    EXPECT_GT(Dot(force, expected - *position), 0.0f);
}

TEST_F(Wandering, TheLaterOfTwoSwimmingNoticesWins) {
    SwimmingMessage first({100.0f, 200.0f});
    SwimmingMessage second({900.0f, 800.0f});
    gAIController->SendMessage(&first);
    EXPECT_EQ(ai->target, Vec2(100.0f, 200.0f));
    gAIController->SendMessage(&second);
    EXPECT_EQ(ai->target, Vec2(900.0f, 800.0f));
    // Far from the body: it steers there instead of picking again.
    scene.game->Frame();
    EXPECT_EQ(ai->target, Vec2(900.0f, 800.0f));
    EXPECT_GT(ai->body->velocity.x, 0.0f);
    EXPECT_GT(ai->body->velocity.y, 0.0f);
}

class Following : public testing::Test {
protected:
    void SetUp() override {
        scene.data.Archetype("chaser.txt", "Position Vec2 position 300 400 end "
                                           "Body float mass 1 float drag 0 Shape Circle end end TargetFollowingAI end");
        scene.data.Archetype("hero.txt", "Position Vec2 position 300 100 end IDAnnouncer bool player true end");
        scene.data.Archetype("ghost.txt", "IDAnnouncer bool player true end");
    }

    Vec2 ForceAfterUpdate(TargetFollowingAI* ai) {
        ai->body->accumulatedForce = {0.0f, 0.0f};
        ai->Update(0.016f);
        return ai->body->accumulatedForce;
    }

    GameScene scene;
};

TEST_F(Following, WithoutAPlayerItSteersTowardsTheOrigin) {
    ASSERT_TRUE(scene.Start("chaser.txt end"));
    auto* ai = scene.First<TargetFollowingAI>("TargetFollowingAI");
    const Vec2 force = ForceAfterUpdate(ai);
    EXPECT_NEAR(force.x, -600.0f, 1e-2f);
    EXPECT_NEAR(force.y, -800.0f, 1e-2f);
}

TEST_F(Following, ItChasesThePlayerWhereverItGoes) {
    ASSERT_TRUE(scene.Start("chaser.txt end hero.txt end"));
    auto* ai = scene.First<TargetFollowingAI>("TargetFollowingAI");
    EXPECT_NEAR(ForceAfterUpdate(ai).y, -1000.0f, 1e-2f);
    auto* hero = scene.game->ObjectsWith("IDAnnouncer").front()->Get<Position>();
    hero->position = {700.0f, 400.0f};
    const Vec2 force = ForceAfterUpdate(ai);
    EXPECT_EQ(ai->target, Vec2(700.0f, 400.0f));
    EXPECT_NEAR(force.x, 1000.0f, 1e-2f);
    EXPECT_NEAR(force.y, 0.0f, 1e-2f);
    // Once the player is gone the target stays where it was last seen.
    hero->owner->Destroy();
    scene.game->Frame();
    ForceAfterUpdate(ai);
    EXPECT_EQ(ai->target, Vec2(700.0f, 400.0f));
}

TEST_F(Following, ABodySittingOnItsTargetGetsNoForce) {
    ASSERT_TRUE(scene.Start("chaser.txt end hero.txt Position Vec2 position 300 400 end end"));
    auto* ai = scene.First<TargetFollowingAI>("TargetFollowingAI");
    EXPECT_EQ(ForceAfterUpdate(ai), Vec2(0.0f, 0.0f));
    scene.game->Frame();
    EXPECT_EQ(ai->body->velocity, Vec2(0.0f, 0.0f));
}

TEST_F(Following, ItsDataSetsTheForceAndSkipsTheWanderersKeys) {
    ASSERT_TRUE(scene.Start("chaser.txt TargetFollowingAI float force 500 Vec2 clampMin 5 5 end end "
                            "chaser.txt TargetFollowingAI Vec2 clampMin 5 5 float force 250 end end hero.txt end"));
    const auto chasers = scene.game->ObjectsWith("TargetFollowingAI");
    ASSERT_EQ(chasers.size(), 2U);
    auto* half = chasers[0]->Get<TargetFollowingAI>();
    auto* quarter = chasers[1]->Get<TargetFollowingAI>();
    EXPECT_EQ(half->force, 500.0f);
    EXPECT_EQ(quarter->force, 250.0f);
    EXPECT_NEAR(ForceAfterUpdate(half).y, -500.0f, 1e-2f);
}

TEST_F(Following, ThePlayerIsChasedThroughTheFramesPhysics) {
    ASSERT_TRUE(scene.Start("chaser.txt end hero.txt end"));
    auto* ai = scene.First<TargetFollowingAI>("TargetFollowingAI");
    scene.game->Frame(16);
    EXPECT_NEAR(ai->body->velocity.y, -16.0f, 1e-3f);
    EXPECT_EQ(ai->body->accumulatedForce, Vec2(0.0f, 0.0f));
}

TEST_F(Following, MissingBodiesAndPositionsAreSkipped) {
    scene.data.Archetype("brainless.txt", "TargetFollowingAI end");
    scene.data.Archetype("placeless.txt", "Body float mass 1 Shape Circle end end TargetFollowingAI end");
    scene.data.Archetype("lost.txt", "RandomTargetAI end");
    scene.data.Archetype("drifting.txt", "Body float mass 1 Shape Circle end end RandomTargetAI end");
    ASSERT_TRUE(scene.Start("brainless.txt end placeless.txt end lost.txt end drifting.txt end "
                            "chaser.txt end ghost.txt end"));
    EXPECT_EQ(gAIController->aiComponents.count, 5);
    EXPECT_TRUE(scene.game->Frames(3));
    SwimmingMessage swim({5.0f, 5.0f});
    gAIController->SendMessage(&swim);
    EXPECT_TRUE(scene.game->Frame());
    // A player without a Position leaves the chaser's target alone.
    auto* chaser = scene.game->ObjectsWith("TargetFollowingAI").back()->Get<TargetFollowingAI>();
    ASSERT_NE(chaser->body->transform, nullptr);
    EXPECT_EQ(chaser->target, Vec2(0.0f, 0.0f));
}

// An AI component that only records what the controller passes it.
class ListeningAI : public Component {
public:
    ListeningAI() : Component("ListeningAI") { gAIController->RegisterAI(*this); }
    ~ListeningAI() override { gAIController->UnregisterAI(*this); }
    void Serialize(DataReader& in) override { SkipBlock(in, typeName); }
    void SendMessage(Message* message) override { heard.push_back(message->id); }
    void Update(float /*dt*/) override { ++updates; }

    std::vector<std::int32_t> heard;
    int updates = 0;
};

TEST(AIControllerDelivery, OnlyPlayerAnnouncementsAndSwimmingNoticesReachTheAIs) {
    GameScene scene;
    ASSERT_TRUE(scene.Start(""));
    ListeningAI listener;
    Message quit(MsgQuit);
    KeyMessage key(80);
    MouseButtonMessage button(true, true, {});
    MouseMoveMessage move({});
    CollisionMessage collision(nullptr);
    LevelMessage load(MsgLoadLevel, "x.lvl");
    LevelMessage change(MsgSwitchLevel, "x.lvl");
    IDMessage player(MsgPlayerId, 3, true);
    IDMessage object(MsgObjectId, 4, true);
    SwimmingMessage swim({});
    Message pause(MsgPause);
    Message resume(MsgResume);
    for (Message* m : std::initializer_list<Message*>{&quit, &key, &button, &move, &collision, &load, &change, &player,
                                                      &object, &swim, &pause, &resume}) {
        gAIController->SendMessage(m);
    }
    EXPECT_EQ(listener.heard, (std::vector<std::int32_t>{MsgPlayerId, MsgSwimming}));
    scene.game->Frames(2);
    EXPECT_EQ(listener.updates, 2);
}

}  // namespace
