#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "RandomDraws.h"
#include "ai/AIController.h"
#include "ai/SpittingAI.h"
#include "core/Core.h"
#include "core/Messages.h"
#include "game/GameLogic.h"
#include "harness/GameScene.h"
#include "objects/Factory.h"
#include "physics/Body.h"
#include "physics/Position.h"

namespace {

// A spitter at (100, 100) aiming at a player at (100, 400); what it spits
// carries a Killable, by which the tests count the spit.
class Spitting : public testing::Test {
protected:
    void SetUp() override {
        scene.data.Archetype("hero.txt", "Position Vec2 position 100 400 end IDAnnouncer bool player true end");
        scene.data.Archetype("spitter.txt",
                             "Position Vec2 position 100 100 Vec2 size 10 10 end Body Shape Rect end end "
                             "ObjectThrower string object spit.txt float speed 200 end "
                             "SpittingAI float maxDelay 5 float missDistance 0 end");
        scene.data.Archetype("spit.txt", "Position Vec2 size 4 4 end Body float mass 1 float drag 0 "
                                         "Shape Circle end end Killable end");
    }

    void StartWith(const std::string& level) {
        ASSERT_TRUE(scene.Start(level));
        spitter = scene.First<SpittingAI>("SpittingAI");
        ASSERT_NE(spitter, nullptr);
    }

    std::size_t Spat() const { return scene.Count("Killable"); }

    GameScene scene;
    SpittingAI* spitter = nullptr;
};

TEST_F(Spitting, ItTakesThePlayerRecordedBeforeItOrAnnouncedAfterIt) {
    StartWith("hero.txt end spitter.txt end spitter.txt end hero.txt end");
    const auto heroes = scene.game->ObjectsWith("IDAnnouncer");
    const auto spitters = scene.game->ObjectsWith("SpittingAI");
    // Each took the player recorded at its start, the later announcement
    // then replaced both.
    for (GameObject* object : spitters) {
        EXPECT_EQ(object->Get<SpittingAI>()->targetId, heroes[1]->id);
        const float delay = object->Get<SpittingAI>()->delay;
        EXPECT_GE(delay, 0.0f);
        EXPECT_LE(delay, 5.0f);
    }
    EXPECT_EQ(gAIController->aiComponents.count, 2);
}

TEST_F(Spitting, AStartDelayPostponesOnlyTheFirstSpit) {
    StartWith("hero.txt end spitter.txt SpittingAI float maxDelay 0.5 float startDelay 2 end end");
    EXPECT_GE(spitter->delay, 2.0f);
    EXPECT_LE(spitter->delay, 2.5f);
    scene.game->Frames(120, 16);  // 1.92 s
    EXPECT_EQ(Spat(), 0U);
    scene.game->Frames(100, 16);  // to 3.52 s: spat, then again within 0.5 s
    EXPECT_GE(Spat(), 3U);
}

TEST_F(Spitting, ADelayReachingExactlyZeroWaitsForTheNextPositiveFrame) {
    StartWith("hero.txt end spitter.txt end");
    spitter->delay = 0.016f;
    scene.game->Frame(16);
    EXPECT_EQ(spitter->delay, 0.0f);
    EXPECT_EQ(Spat(), 0U);
    scene.game->Frame(16);
    EXPECT_EQ(Spat(), 1U);
}

TEST_F(Spitting, NothingIsSpatWhileGameTimeIsPaused) {
    StartWith("hero.txt end spitter.txt end");
    spitter->delay = 0.0f;
    Message pause(MsgPause);
    gCore->BroadcastMessage(&pause);
    scene.game->Frames(5, 16);
    EXPECT_EQ(Spat(), 0U);
    Message resume(MsgResume);
    gCore->BroadcastMessage(&resume);
    // The two frames after a resume have no time either.
    scene.game->Frames(2, 16);
    EXPECT_EQ(Spat(), 0U);
    scene.game->Frame(16);
    EXPECT_EQ(Spat(), 1U);
}

TEST_F(Spitting, WithoutMissDistanceItAimsExactlyAtThePlayer) {
    StartWith("hero.txt end spitter.txt end");
    spitter->delay = -1.0f;
    spitter->Update(0.016f);
    ASSERT_EQ(Spat(), 1U);
    GameObject* spit = scene.game->ObjectsWith("Killable").front();
    const Vec2 v = spit->Get<Body>()->velocity;
    EXPECT_EQ(v.x, 0.0f);
    EXPECT_NEAR(v.y, 200.0f, 1e-3f);
    EXPECT_EQ(spit->Get<Position>()->position, Vec2(100.0f, 100.0f));
}

TEST_F(Spitting, EachExpiryDrawsTheDelayThenTheXThenTheYOffset) {
    scene.data.Archetype("wild.txt", "Position Vec2 position 100 100 Vec2 size 10 10 end Body Shape Rect end end "
                                     "ObjectThrower string object spit.txt float speed 200 end "
                                     "SpittingAI float maxDelay 4 float missDistance 100 end");
    StartWith("hero.txt end wild.txt end");
    const unsigned seed = 4242;
    const std::vector<int> draws = Draws(seed, 4);
    spitter->delay = 0.01f;
    std::srand(seed);
    spitter->Update(0.016f);
    EXPECT_EQ(std::rand(), draws[3]);
    // The 6 ms past the old delay count toward the new one.
    EXPECT_FLOAT_EQ(spitter->delay, Fraction(draws[0]) * 4.0f - 0.006f);

    const Vec2 aim{100.0f + (Fraction(draws[1]) * 2.0f - 1.0f) * 100.0f,
                   400.0f + (Fraction(draws[2]) * 2.0f - 1.0f) * 100.0f};
    const Vec2 d = aim - Vec2{100.0f, 100.0f};
    const float length = std::sqrt(LengthSquared(d));
    ASSERT_EQ(Spat(), 1U);
    const Vec2 v = scene.game->ObjectsWith("Killable").front()->Get<Body>()->velocity;
    EXPECT_NEAR(v.x, 200.0f * d.x / length, 1e-2f);
    EXPECT_NEAR(v.y, 200.0f * d.y / length, 1e-2f);
}

TEST_F(Spitting, WithoutATargetEachExpiryOnlyDrawsANewDelay) {
    StartWith("spitter.txt end");
    ASSERT_EQ(spitter->targetId, 0);
    const std::vector<int> draws = Draws(99, 2);
    spitter->delay = 0.0f;
    std::srand(99);
    spitter->Update(0.016f);
    EXPECT_EQ(std::rand(), draws[1]);
    EXPECT_FLOAT_EQ(spitter->delay, Fraction(draws[0]) * 5.0f - 0.016f);
    EXPECT_EQ(Spat(), 0U);
}

TEST_F(Spitting, NewDelaysAndAimingErrorsStayWithinTheirBounds) {
    StartWith("hero.txt end spitter.txt SpittingAI float missDistance 50 end end");
    std::srand(3);
    for (int i = 0; i < 300; ++i) {
        spitter->delay = 0.0f;
        spitter->Update(0.016f);
        ASSERT_GE(spitter->delay, -0.016f) << i;
        ASSERT_LE(spitter->delay, 5.0f - 0.016f) << i;
    }
    // Every spit points within 50 units (per axis) of the player below.
    for (GameObject* spit : scene.game->ObjectsWith("Killable")) {
        const Vec2 v = spit->Get<Body>()->velocity;
        ASSERT_GT(v.y, 0.0f);
        EXPECT_LE(std::fabs(v.x / v.y), 50.0f / 250.0f + 1e-4f);
    }
    EXPECT_EQ(Spat(), 300U);
}

TEST_F(Spitting, OnlyALivePlayerAnnouncementChangesTheTarget) {
    StartWith("hero.txt end spitter.txt end");
    const std::int32_t hero = spitter->targetId;
    ASSERT_NE(hero, 0);
    IDMessage gone(MsgPlayerId, hero, false);
    gAIController->SendMessage(&gone);
    EXPECT_EQ(spitter->targetId, hero);
    IDMessage other(MsgObjectId, hero + 50, true);
    spitter->SendMessage(&other);
    gCore->BroadcastMessage(&other);
    EXPECT_EQ(spitter->targetId, hero);
    IDMessage newcomer(MsgPlayerId, hero + 50, true);
    gAIController->SendMessage(&newcomer);
    EXPECT_EQ(spitter->targetId, hero + 50);
}

TEST_F(Spitting, OnceThePlayerIsDeletedNothingIsThrownAtIt) {
    StartWith("hero.txt end spitter.txt end");
    const std::int32_t hero = spitter->targetId;
    // The hero lives until the end of the frame that deletes it, so an
    // expiry in that frame may still spit at it: none falls there, whatever
    // the first draw after the seed gave.
    spitter->delay = 10.0f;
    gFactory->GetObjectById(hero)->Destroy();
    scene.game->Frame();
    ASSERT_EQ(Spat(), 0U);
    EXPECT_EQ(spitter->targetId, hero);
    spitter->delay = 0.0f;
    spitter->Update(0.016f);
    EXPECT_EQ(Spat(), 0U);
    EXPECT_GE(spitter->delay, -0.016f);
}

void WriteIncompleteSpitters(const TempData& data) {
    data.Archetype("hero.txt", "Position Vec2 position 100 400 end IDAnnouncer bool player true end");
    data.Archetype("faceless.txt", "IDAnnouncer bool player true end");
    data.Archetype("spit.txt", "Position end Body float mass 1 Shape Circle end end Killable end");
    data.Archetype("spitter.txt", "Position Vec2 position 100 100 end Body Shape Rect end end "
                                  "ObjectThrower string object spit.txt end SpittingAI end");
    data.Archetype("dry.txt", "Position Vec2 position 300 300 end Body Shape Rect end end SpittingAI end");
    data.Archetype("bodiless.txt", "Position end ObjectThrower string object spit.txt end SpittingAI end");
    data.Archetype("placeless.txt", "Body Shape Rect end end ObjectThrower string object spit.txt end SpittingAI end");
}

TEST(SpittingChain, SpitThatSpitsAtOnceStartsNextFrameInsteadOfSpawningWithoutEndInOneFrame) {
    GameScene scene;
    scene.data.Archetype("hero.txt", "Position Vec2 position 100 400 end IDAnnouncer bool player true end");
    // Every spitter spits on its first frame, and what it spits is one too.
    scene.data.Archetype("chain.txt", "Position Vec2 position 100 100 Vec2 size 4 4 end Body Shape Rect end end "
                                      "ObjectThrower string object chain.txt float speed 200 end "
                                      "SpittingAI float maxDelay 0 end");
    ASSERT_TRUE(scene.Start("hero.txt end chain.txt end"));
    std::size_t expected = 1;
    for (int frame = 0; frame < 4; ++frame) {
        ASSERT_TRUE(scene.game->Frame(16));
        expected *= 2;  // each spitter of the frame before spat once
        EXPECT_EQ(scene.Count("SpittingAI"), expected) << "frame " << frame;
    }
}

TEST(SpittingIncomplete, SpittersWithoutThrowerBodyOrPositionAndPlayersWithoutPositionThrowNothing) {
    for (const char* level :
         {"hero.txt end dry.txt end bodiless.txt end placeless.txt end", "faceless.txt end spitter.txt end"}) {
        GameScene scene;
        WriteIncompleteSpitters(scene.data);
        ASSERT_TRUE(scene.Start(level)) << level;
        for (GameObject* object : scene.game->ObjectsWith("SpittingAI")) {
            object->Get<SpittingAI>()->delay = -1.0f;
        }
        EXPECT_TRUE(scene.game->Frames(3)) << level;
        EXPECT_EQ(scene.Count("Killable"), 0U) << level;
        for (GameObject* object : scene.game->ObjectsWith("SpittingAI")) {
            EXPECT_NE(object->Get<SpittingAI>()->targetId, 0) << level;
        }
    }
}

}  // namespace
