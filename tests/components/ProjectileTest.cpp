#include <gtest/gtest.h>

#include "GameplayData.h"
#include "components/Projectiles.h"
#include "core/Messages.h"
#include "game/GameLogic.h"
#include "harness/GameScene.h"
#include "objects/Factory.h"
#include "physics/Body.h"
#include "physics/Position.h"

namespace {

// A projectile at (500, 500) overlapping a wall, moving right at `speed`
// without drag; it does not resolve, so the step leaves it where it flew.
std::string Against(const std::string& kind, float speed) {
    return "Position Vec2 position 500 500 Vec2 size 5 5 end "
           "Body float mass 1 float drag 0 int collisionLayers 1 bool resolve false Vec2 velocity " +
           std::to_string(speed) + " 0 Shape Circle end end " + kind + " end";
}

class Projectiles : public testing::Test {
protected:
    void SetUp() override {
        scene.data.Archetype("wall.txt", "Position Vec2 position 520 500 Vec2 size 20 100 end "
                                         "Body Shape Rect end int collisionLayers 1 end");
        scene.data.Archetype("hot.txt", Against("Fireball", 200));
        scene.data.Archetype("slowhot.txt", Against("Fireball", 10));
        scene.data.Archetype("cold.txt", Against("Snowball", 200));
        scene.data.Archetype("nobody.txt", "Position end Fireball end");
    }

    GameScene scene{GameplayData};
};

TEST_F(Projectiles, AFireballHittingAWallLeavesOneHoleWhereItWasAndIsGoneAtTheEndOfTheFrame) {
    ASSERT_TRUE(scene.Start("wall.txt end hot.txt end"));
    scene.Frame(16);
    EXPECT_EQ(scene.Count("Fireball"), 0U);
    const auto holes = scene.All("Hole");
    ASSERT_EQ(holes.size(), 1U);
    const Vec2 at = Part<Position>(holes[0], "Position")->position;
    EXPECT_FLOAT_EQ(at.x, 500.0f + 200.0f * 0.016f);
    EXPECT_FLOAT_EQ(at.y, 500.0f);
    EXPECT_EQ(holes[0]->level, gGameLogic->levels.head);
    EXPECT_EQ(scene.Count("Body"), 1U);
}

TEST_F(Projectiles, AFireballEndingTwiceInOneFrameLeavesTwoHoles) {
    ASSERT_TRUE(scene.Start("wall.txt end slowhot.txt end"));
    scene.Frame(16);
    EXPECT_EQ(scene.Count("Fireball"), 0U);
    const auto holes = scene.All("Hole");
    ASSERT_EQ(holes.size(), 2U);
    // Slow in the level update (before the step), then hit in the step.
    EXPECT_FLOAT_EQ(Part<Position>(holes[0], "Position")->position.x, 500.0f);
    EXPECT_FLOAT_EQ(Part<Position>(holes[1], "Position")->position.x, 500.0f + 10.0f * 0.016f);
}

TEST_F(Projectiles, ASnowballThatHitsAnythingVanishesWithoutATrace) {
    ASSERT_TRUE(scene.Start("wall.txt end cold.txt end"));
    const std::size_t before = gFactory->objects.size();
    scene.Frame(16);
    EXPECT_EQ(scene.Count("Snowball"), 0U);
    EXPECT_EQ(gFactory->objects.size(), before - 1);
}

TEST_F(Projectiles, ASpeedOfExactly100IsNotSlowEnoughToEnd) {
    ASSERT_TRUE(scene.Start(""));
    for (const char* archetype : {"snowball.txt", "fireball.txt"}) {
        GameObject* object = scene.Spawn(archetype);
        auto* projectile = object->GetAs<Projectile>(archetype[0] == 's' ? "Snowball" : "Fireball");
        Body* body = Part<Body>(object, "Body");
        body->velocity = {60.0f, 80.0f};
        projectile->Update(0.016f);
        EXPECT_FALSE(scene.Pending(object)) << archetype;
        body->velocity = {0.0f, -100.0f};
        projectile->Update(0.016f);
        EXPECT_FALSE(scene.Pending(object)) << archetype;
        body->velocity = {99.99f, 0.0f};
        projectile->Update(0.016f);
        EXPECT_TRUE(scene.Pending(object)) << archetype;
    }
    EXPECT_EQ(scene.Count("Hole"), 1U);
    scene.Frame();
    EXPECT_EQ(scene.Count("Snowball") + scene.Count("Fireball"), 0U);
}

TEST_F(Projectiles, AFreeFireballFliesUntilDragBringsItBelow100) {
    ASSERT_TRUE(scene.Start(""));
    GameObject* fireball = scene.Spawn("fireball.txt");
    Body* body = Part<Body>(fireball, "Body");
    body->drag = 0.01f;
    body->velocity = {300.0f, 0.0f};
    float speedBeforeLastFrame = 0.0f;
    float speedBeforeThat = 0.0f;
    int frames = 0;
    while (scene.Count("Fireball") == 1 && frames < 1000) {
        speedBeforeThat = speedBeforeLastFrame;
        speedBeforeLastFrame = scene.First("Fireball")->Get<Body>()->velocity.x;
        scene.Frame(16);
        ++frames;
    }
    EXPECT_LT(speedBeforeLastFrame, 100.0f);
    EXPECT_GE(speedBeforeThat, 100.0f);
    EXPECT_GT(frames, 100);
    EXPECT_EQ(scene.Count("Hole"), 1U);
}

TEST_F(Projectiles, ADetachedFireballMakesNoHoleButIsStillDestroyed) {
    ASSERT_TRUE(scene.Start(""));
    GameObject* fireball = gFactory->CreateObject("fireball.txt");
    ASSERT_NE(fireball, nullptr);
    fireball->Initialize();
    EXPECT_EQ(gGameLogic->levels.head->updateList.count, 0);
    fireball->Get<Fireball>()->Explode();
    EXPECT_TRUE(scene.Pending(fireball));
    EXPECT_EQ(scene.Count("Hole"), 0U);
    scene.Frame();
    EXPECT_EQ(scene.Count("Fireball"), 0U);
    EXPECT_EQ(scene.Count("Hole"), 0U);
}

TEST_F(Projectiles, AFireballWithoutABodyOnlyEndsOnACollisionAndLeavesNoHole) {
    ASSERT_TRUE(scene.Start("nobody.txt end"));
    scene.Frames(3);
    GameObject* fireball = scene.First("Fireball");
    ASSERT_NE(fireball, nullptr);
    CollisionMessage hit(nullptr);
    fireball->SendMessage(&hit);
    EXPECT_TRUE(scene.Pending(fireball));
    scene.Frame();
    EXPECT_EQ(scene.Count("Fireball"), 0U);
    EXPECT_EQ(scene.Count("Hole"), 0U);
}

TEST_F(Projectiles, OnlyCollisionsEndAProjectile) {
    ASSERT_TRUE(scene.Start(""));
    GameObject* snowball = scene.Spawn("snowball.txt");
    Part<Body>(snowball, "Body")->velocity = {500.0f, 0.0f};
    for (MessageId id : {MsgKey, MsgMouseButton, MsgMouseMove, MsgPlayerId, MsgSwimming}) {
        Message other(id);
        snowball->SendMessage(&other);
    }
    EXPECT_FALSE(scene.Pending(snowball));
}

}  // namespace
