#include <gtest/gtest.h>

#include "GameplayData.h"
#include "components/Controllable.h"
#include "harness/GameScene.h"
#include "physics/Body.h"

namespace {

constexpr int kUp = 0x26;
constexpr int kDown = 0x28;
constexpr int kLeft = 0x25;
constexpr int kRight = 0x27;

class ControllableTest : public testing::Test {
protected:
    void SetUp() override {
        scene.data.Archetype("mover.txt",
                             "Position Vec2 position 640 512 end Body float mass 1 float drag 0 Shape Circle end end "
                             "Controllable end");
        scene.data.Archetype("ghost.txt", "Position end Controllable end");
        ASSERT_TRUE(scene.Start("mover.txt end ghost.txt end"));
        mover = scene.First("Body");
        control = Part<Controllable>(mover, "Controllable");
        body = Part<Body>(mover, "Body");
        ASSERT_NE(control, nullptr);
        ASSERT_NE(body, nullptr);
    }

    // The force one update adds with exactly these keys held.
    Vec2 ForceWith(std::initializer_list<int> keys) {
        for (int key : keys) {
            scene.game->HoldKey(key);
        }
        body->accumulatedForce = {0.0f, 0.0f};
        control->Update(0.016f);
        for (int key : keys) {
            scene.game->HoldKey(key, false);
        }
        return body->accumulatedForce;
    }

    GameScene scene{GameplayData};
    GameObject* mover = nullptr;
    Controllable* control = nullptr;
    Body* body = nullptr;
};

TEST_F(ControllableTest, EachDirectionAddsItsForceFromArrowOrLetter) {
    EXPECT_EQ(ForceWith({}), Vec2(0.0f, 0.0f));
    EXPECT_EQ(ForceWith({kUp}), Vec2(0.0f, -10000.0f));
    EXPECT_EQ(ForceWith({'W'}), Vec2(0.0f, -10000.0f));
    EXPECT_EQ(ForceWith({kDown}), Vec2(0.0f, 10000.0f));
    EXPECT_EQ(ForceWith({'S'}), Vec2(0.0f, 10000.0f));
    EXPECT_EQ(ForceWith({kLeft}), Vec2(-10000.0f, 0.0f));
    EXPECT_EQ(ForceWith({'A'}), Vec2(-10000.0f, 0.0f));
    EXPECT_EQ(ForceWith({kRight}), Vec2(10000.0f, 0.0f));
    EXPECT_EQ(ForceWith({'D'}), Vec2(10000.0f, 0.0f));
}

TEST_F(ControllableTest, ArrowAndLetterOfOneDirectionCountOnce) {
    EXPECT_EQ(ForceWith({kUp, 'W'}), Vec2(0.0f, -10000.0f));
    EXPECT_EQ(ForceWith({kRight, 'D'}), Vec2(10000.0f, 0.0f));
}

TEST_F(ControllableTest, OppositeDirectionsCancelAndDiagonalsAreNotNormalized) {
    EXPECT_EQ(ForceWith({kLeft, kRight}), Vec2(0.0f, 0.0f));
    EXPECT_EQ(ForceWith({'A', kRight}), Vec2(0.0f, 0.0f));
    EXPECT_EQ(ForceWith({kUp, kRight}), Vec2(10000.0f, -10000.0f));
    EXPECT_EQ(ForceWith({'S', 'A'}), Vec2(-10000.0f, 10000.0f));
}

TEST_F(ControllableTest, TheLevelUpdatesItAndPhysicsIntegratesTheForceInTheSameFrame) {
    scene.game->HoldKey(kUp);
    scene.Frame(16);
    // 10000 units/s^2 for 16 ms on a unit mass without drag.
    EXPECT_NEAR(body->velocity.y, -160.0f, 1e-3f);
    EXPECT_EQ(body->velocity.x, 0.0f);
    EXPECT_EQ(body->accumulatedForce, Vec2(0.0f, 0.0f));
    scene.game->HoldKey(kUp, false);
    scene.Frame(16);
    EXPECT_NEAR(body->velocity.y, -160.0f, 1e-3f);
}

TEST_F(ControllableTest, WithoutABodyItDoesNothing) {
    // The second object of the level: a Position and a Controllable.
    auto* orphan = Part<Controllable>(scene.All("Controllable").back(), "Controllable");
    ASSERT_NE(orphan, nullptr);
    EXPECT_EQ(orphan->body, nullptr);
    scene.game->HoldKey(kUp);
    scene.game->HoldKey('A');
    orphan->Update(0.016f);
    EXPECT_TRUE(scene.Frame());
}

TEST_F(ControllableTest, ABlockThatSetsOneForceKeepsTheOtherDefaults) {
    scene.data.Archetype("tuned.txt", "Controllable Vec2 forceUp 0 -5 end");
    GameObject* tuned = scene.Spawn("tuned.txt");
    auto* c = Part<Controllable>(tuned, "Controllable");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->forceUp, Vec2(0.0f, -5.0f));
    EXPECT_EQ(c->forceDown, Vec2(0.0f, 10000.0f));
    EXPECT_EQ(c->forceLeft, Vec2(-10000.0f, 0.0f));
    EXPECT_EQ(c->forceRight, Vec2(10000.0f, 0.0f));
}

}  // namespace
