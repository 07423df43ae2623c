#include <gtest/gtest.h>

#include "GameplayData.h"
#include "components/Hazards.h"
#include "game/GameLogic.h"
#include "harness/GameScene.h"
#include "physics/Body.h"
#include "physics/Position.h"

namespace {

// A movable box at (x, 300) on layer 1 carrying the given components.
std::string Box(int x, const std::string& components) {
    return "Position Vec2 position " + std::to_string(x) +
           " 300 Vec2 size 10 10 end Body float mass 1 float drag 0 int collisionLayers 1 Shape Rect end end " +
           components;
}

class Hazards : public testing::Test {
protected:
    void SetUp() override {
        scene.data.Archetype("both1.txt", Box(300, "Deadly end Killable end"));
        scene.data.Archetype("both2.txt", Box(305, "Deadly end Killable end"));
        scene.data.Archetype("deadly.txt", Box(300, "Deadly end"));
        scene.data.Archetype("deadly2.txt", Box(305, "Deadly end"));
        scene.data.Archetype("killable.txt", Box(305, "Killable end"));
        scene.data.Archetype("plain.txt", Box(305, ""));
        scene.data.Archetype("shrink.txt", "Position Vec2 position 100 100 Vec2 size 40 40 end Body Shape Rect end end "
                                           "Hole float duration 0.2 end");
        scene.data.Archetype("instant.txt", "Position end Hole end");
        scene.data.Archetype("bare.txt", "Hole float duration 0.04 end");
    }

    GameScene scene{GameplayData};
};

TEST_F(Hazards, DeadlyDestroysOnlyTheKillableOneOfAPair) {
    ASSERT_TRUE(scene.Start("deadly.txt end killable.txt end"));
    scene.Frame();
    EXPECT_EQ(scene.Count("Killable"), 0U);
    EXPECT_EQ(scene.Count("Deadly"), 1U);
}

TEST_F(Hazards, TwoObjectsThatAreBothDeadlyAndKillableDestroyEachOther) {
    ASSERT_TRUE(scene.Start("both1.txt end both2.txt end"));
    scene.Frame();
    EXPECT_EQ(scene.Count("Deadly"), 0U);
}

TEST_F(Hazards, AKillLeavesTheRemainsAndTheKillersMarkOnceWhereTheVictimWas) {
    // Two deadly things touch the victim in the same frame; one leaves a
    // mark. Without the keys (the second pair) nothing is left behind.
    const std::string still = "Body float mass 0 bool resolve false int collisionLayers 1 Shape Rect end end ";
    scene.data.Archetype("victim.txt", Box(305, "Killable string remains grave.txt end"));
    scene.data.Archetype("marking.txt", "Position Vec2 position 300 300 Vec2 size 10 10 end " + still +
                                            "Deadly string mark splash.txt end");
    scene.data.Archetype("other.txt", "Position Vec2 position 310 300 Vec2 size 10 10 end " + still + "Deadly end");
    scene.data.Archetype("grave.txt", "Position Vec2 position 1 1 end Swimmer end");
    scene.data.Archetype("splash.txt", "Position Vec2 position 2 2 end Swimmer end");
    scene.data.Archetype("far.txt", "Position Vec2 position 300 700 Vec2 size 10 10 end " + still + "Deadly end");
    ASSERT_TRUE(scene.Start("victim.txt end marking.txt end other.txt end far.txt end "
                            "killable.txt Position Vec2 position 305 700 end end"));
    scene.Frame();
    EXPECT_EQ(scene.Count("Killable"), 0U);
    std::vector<GameObject*> left = scene.All("Swimmer");
    ASSERT_EQ(left.size(), 2U);
    for (GameObject* object : left) {
        EXPECT_EQ(Part<Position>(object, "Position")->position, Vec2(305.0f, 300.0f));
        EXPECT_EQ(object->level, gGameLogic->levels.head);
    }
    EXPECT_EQ(scene.Count("Position"), 5U);  // the three deadly ones and what was left
}

TEST_F(Hazards, DeadlyAgainstSomethingNotKillableDoesNothing) {
    ASSERT_TRUE(scene.Start("deadly.txt end plain.txt end deadly2.txt end"));
    const std::size_t before = scene.Count("Body");
    scene.Frames(3);
    EXPECT_EQ(scene.Count("Body"), before);
}

TEST_F(Hazards, AHoleShrinksLinearlyAndEndsWhenItsTimeIsUp) {
    ASSERT_TRUE(scene.Start("shrink.txt end"));
    GameObject* hole = scene.First("Hole");
    auto* h = Part<Hole>(hole, "Hole");
    EXPECT_EQ(h->initialSize, Vec2(40.0f, 40.0f));
    EXPECT_EQ(h->initialCollisionSize, Vec2(40.0f, 40.0f));
    scene.game->Frames(4, 25);
    EXPECT_NEAR(Part<Position>(hole, "Position")->size.x, 20.0f, 1e-3f);
    EXPECT_NEAR(Part<Body>(hole, "Body")->collisionSize.y, 20.0f, 1e-3f);
    scene.game->Frames(3, 25);
    ASSERT_EQ(scene.Count("Hole"), 1U);
    EXPECT_NEAR(Part<Position>(hole, "Position")->size.y, 5.0f, 1e-3f);
    // The update where no time is left ends it.
    scene.Frame(30);
    EXPECT_EQ(scene.Count("Hole"), 0U);
}

TEST_F(Hazards, AHoleWithoutDurationEndsAtItsFirstUpdateEvenAZeroTimeOne) {
    ASSERT_TRUE(scene.Start("instant.txt end"));
    ASSERT_EQ(scene.Count("Hole"), 1U);
    scene.Frame(0);
    EXPECT_EQ(scene.Count("Hole"), 0U);
}

TEST_F(Hazards, AHoleWithoutPositionOrBodyStillEndsOnTime) {
    ASSERT_TRUE(scene.Start("bare.txt end"));
    scene.Frame(25);
    EXPECT_EQ(scene.Count("Hole"), 1U);
    scene.Frame(25);
    EXPECT_EQ(scene.Count("Hole"), 0U);
}

}  // namespace
