#include <gtest/gtest.h>

#include <cmath>

#include "GameplayData.h"
#include "ai/AIController.h"
#include "ai/RandomTargetAI.h"
#include "components/Swimming.h"
#include "core/Messages.h"
#include "harness/GameScene.h"
#include "physics/Body.h"
#include "physics/Position.h"

namespace {

class Swimming : public testing::Test {
protected:
    void SetUp() override {
        scene.data.Archetype("pool.txt", "Position Vec2 position 300 300 Vec2 size 50 50 end "
                                         "Body int collisionLayers 1 Shape Rect end end Water end");
        // Far from everything; the AI that hears where something swims.
        scene.data.Archetype("listener.txt", "Position Vec2 position 1000 900 end "
                                             "Body float mass 1 Shape Circle end end RandomTargetAI end");
        scene.data.Archetype("rock.txt", "Position Vec2 position 300 300 Vec2 size 10 10 end "
                                         "Body float mass 1 float drag 0 int collisionLayers 1 bool resolve false "
                                         "Vec2 velocity 20 0 Shape Rect end end");
        scene.data.Archetype("duck.txt", "Position Vec2 position 300 300 Vec2 size 10 10 end "
                                         "Body float mass 1 float drag 0 int collisionLayers 1 bool resolve false "
                                         "Shape Rect end end Swimmer end");
        scene.data.Archetype("frog.txt", "Position Vec2 position 900 100 end "
                                         "Body float mass 1 float drag 0 int collisionLayers 3 Vec2 velocity 1000 0 "
                                         "Shape Rect end end Swimmer float timer 0.25 end");
        scene.data.Archetype("toad.txt", "Position Vec2 position 900 500 end "
                                         "Body float mass 1 float drag 0 int collisionLayers 3 Vec2 velocity 1000 0 "
                                         "Shape Rect end end Swimmer float timer -1 end");
        scene.data.Archetype("dry.txt", "Position end Swimmer float timer 0.25 end");
    }

    RandomTargetAI* Listener() const { return Part<RandomTargetAI>(scene.First("RandomTargetAI"), "RandomTargetAI"); }

    GameScene scene{GameplayData};
};

TEST_F(Swimming, ANonSwimmerInWaterKeepsItsMotionButTheAIHearsWhereItIs) {
    ASSERT_TRUE(scene.Start("pool.txt end listener.txt end rock.txt end"));
    GameObject* rock = scene.All("Body").back();
    scene.Frame();
    Body* body = Part<Body>(rock, "Body");
    EXPECT_EQ(body->velocity, Vec2(20.0f, 0.0f));
    EXPECT_EQ(body->collisionLayers, 1);
    EXPECT_EQ(Listener()->target, Part<Position>(rock, "Position")->position);
}

TEST_F(Swimming, ASwimmerLosesHalfItsSpeedPerSixtiethOfASecondUntilItsTimeRunsOutThenLosesTheLayer) {
    ASSERT_TRUE(scene.Start("pool.txt end listener.txt end duck.txt end"));
    GameObject* duck = scene.First("Swimmer");
    auto* swimmer = Part<Swimmer>(duck, "Swimmer");
    Body* body = Part<Body>(duck, "Body");
    scene.Frame();
    EXPECT_EQ(swimmer->timer, 0.25f);
    EXPECT_EQ(body->collisionLayers, 3);
    EXPECT_EQ(Listener()->target, Part<Position>(duck, "Position")->position);

    // Out of the water, moving. Shapes are tested where the Position is.
    body->position = {900.0f, 900.0f};
    Part<Position>(duck, "Position")->position = body->position;
    body->velocity = {1000.0f, 0.0f};
    // However the time is cut into frames: 1000 x 0.5^(60 t).
    scene.Frames(2, 25);
    EXPECT_NEAR(body->velocity.x, 125.0f, 0.05f);
    scene.Frames(5, 10);
    EXPECT_NEAR(body->velocity.x, 15.625f, 0.01f);
    EXPECT_EQ(body->collisionLayers, 3);
    // Frames of no time take nothing.
    scene.Frames(3, 0);
    EXPECT_NEAR(body->velocity.x, 15.625f, 0.01f);
    // 0.15 s left: the frame that uses it up slows nothing and ends swimming.
    const float left = body->velocity.x;
    scene.Frames(5, 30);
    EXPECT_LT(body->velocity.x, left);
    scene.Frame(30);
    EXPECT_EQ(body->collisionLayers, 1);
    EXPECT_EQ(swimmer->timer, 0.0f);
    const float dry = body->velocity.x;
    scene.Frame(30);
    EXPECT_EQ(body->velocity.x, dry);
}

TEST_F(Swimming, WhileInContactTheTimerIsHeldAtTheWatersTime) {
    ASSERT_TRUE(scene.Start("pool.txt Water float swimTime 0.5 end end duck.txt end"));
    auto* swimmer = Part<Swimmer>(scene.First("Swimmer"), "Swimmer");
    for (int i = 0; i < 5; ++i) {
        scene.Frame(100);
        EXPECT_EQ(swimmer->timer, 0.5f);
    }
}

TEST_F(Swimming, ALayerSetByTheDataIsClearedWhenTheSwimmingTimeEnds) {
    ASSERT_TRUE(scene.Start("frog.txt end toad.txt end"));
    const auto swimmers = scene.All("Swimmer");
    Body* frog = Part<Body>(swimmers[0], "Body");
    Body* toad = Part<Body>(swimmers[1], "Body");
    scene.Frames(8, 30);
    EXPECT_EQ(frog->collisionLayers, 3);
    scene.Frame(30);
    EXPECT_EQ(frog->collisionLayers, 1);
    EXPECT_NEAR(frog->velocity.x, 1000.0f * std::pow(0.5f, 60 * 0.24f), 1e-3f);
    // A timer that is not above zero is left alone, layer and all.
    EXPECT_EQ(toad->velocity.x, 1000.0f);
    EXPECT_EQ(toad->collisionLayers, 3);
    EXPECT_EQ(Part<Swimmer>(swimmers[1], "Swimmer")->timer, -1.0f);
}

TEST_F(Swimming, MissingBodiesAndPositionsAreHarmless) {
    ASSERT_TRUE(scene.Start("pool.txt end listener.txt end dry.txt end"));
    auto* dry = Part<Swimmer>(scene.First("Swimmer"), "Swimmer");
    scene.Frame(30);
    EXPECT_LT(dry->timer, 0.25f);
    scene.Frames(8, 30);
    EXPECT_EQ(dry->timer, 0.0f);

    // A body with no Position touches the water: the swimmer part still
    // applies, but there is no place to report.
    const Vec2 heard = Listener()->target;
    Body stray;
    CollisionMessage touch(&stray);
    Part<Water>(scene.First("Water"), "Water")->SendMessage(&touch);
    EXPECT_EQ(Listener()->target, heard);
}

}  // namespace
