#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "harness/PhysicsWorld.h"

namespace {

using W = PhysicsWorld;

class PhysicsStep : public testing::TestWithParam<PhysicsStepper> {};

BodyPlan Rect(Vec2 position, Vec2 size, float mass) {
    BodyPlan plan;
    plan.position = position;
    plan.size = size;
    plan.mass = mass;
    return plan;
}

BodyPlan Moving(BodyPlan plan, Vec2 velocity) {
    plan.velocity = velocity;
    return plan;
}

BodyPlan OnLayers(BodyPlan plan, std::int32_t layers) {
    plan.layers = layers;
    return plan;
}

}  // namespace

TEST_P(PhysicsStep, PausedStepChangesNoVelocityButStillResolves) {
    W world(GetParam());
    BodyPlan dragged = Rect({500, 500}, {5, 5}, 1);
    dragged.velocity = {10, -4};
    dragged.drag = 0.5f;
    dragged.layers = 0;
    GameObject& slow = world.Add(dragged);
    GameObject& wall = world.Add(Rect({0, 0}, {10, 10}, 0));
    GameObject& box = world.Add(Rect({0, 15}, {10, 10}, 1));

    world.Step(0.0f);
    EXPECT_EQ(W::BodyOf(slow).velocity, Vec2(10, -4));
    EXPECT_EQ(W::BodyOf(slow).position, Vec2(500, 500));
    // Overlap 5, corrected by 80 % while above 0.1: 1, 0.2, 0.04 remain.
    EXPECT_NEAR(W::BodyOf(box).position.y, 19.96f, 1e-4f);
    world.Step(0.0f);
    EXPECT_EQ(W::BodyOf(slow).velocity, Vec2(10, -4));
    EXPECT_EQ(W::BodyOf(slow).position, Vec2(500, 500));
    // Still touching: reported again, too shallow to correct.
    EXPECT_NEAR(W::BodyOf(box).position.y, 19.96f, 1e-4f);
    EXPECT_EQ(W::BodyOf(wall).position, Vec2(0, 0));
    EXPECT_EQ(W::PositionOf(box).position, W::BodyOf(box).position);
    const std::vector<CollisionRecord> expected{{2, 3}, {3, 2}, {2, 3}, {3, 2}};
    EXPECT_EQ(world.log, expected);
}

TEST_P(PhysicsStep, LayerMasksMustShareABit) {
    struct Case {
        std::int32_t a;
        std::int32_t b;
        bool collide;
    };
    for (const Case& c : {Case{1, 2, false}, Case{3, 2, true}, Case{0, 0, false}, Case{0, 1, false}, Case{-1, 0, false},
                          Case{-1, 4, true}}) {
        W world(GetParam());
        world.Add(OnLayers(Rect({0, 0}, {10, 10}, 1), c.a));
        world.Add(OnLayers(Rect({5, 0}, {10, 10}, 1), c.b));
        world.Step(0.0f);
        EXPECT_EQ(world.log.size(), c.collide ? 2u : 0u) << c.a << " & " << c.b;
    }
}

TEST_P(PhysicsStep, ImmovablePairsAreNeverTested) {
    W world(GetParam());
    BodyPlan drifting = Rect({0, 0}, {10, 10}, 0);
    drifting.velocity = {30, 0};
    GameObject& a = world.Add(drifting);
    world.Add(Rect({5, 0}, {10, 10}, 0));
    world.Step(0.5f);
    EXPECT_TRUE(world.log.empty());
    // An immovable body still follows its own velocity.
    EXPECT_EQ(W::BodyOf(a).position, Vec2(15, 0));
}

TEST_P(PhysicsStep, ResolveFalseIsReportedButNotCorrected) {
    for (int which = 0; which < 2; ++which) {
        W world(GetParam());
        BodyPlan left = Moving(Rect({0, 0}, {10, 10}, 1), {5, 0});
        BodyPlan right = Moving(Rect({15, 0}, {10, 10}, 1), {-5, 0});
        (which == 0 ? left : right).resolve = false;
        GameObject& a = world.Add(left);
        GameObject& b = world.Add(right);
        world.Step(0.0f);
        world.Step(0.0f);
        EXPECT_EQ(world.log.size(), 4u);
        EXPECT_EQ(W::BodyOf(a).position, Vec2(0, 0));
        EXPECT_EQ(W::BodyOf(b).position, Vec2(15, 0));
        EXPECT_EQ(W::BodyOf(a).velocity, Vec2(5, 0));
        EXPECT_EQ(W::BodyOf(b).velocity, Vec2(-5, 0));
    }
}

TEST_P(PhysicsStep, PenetrationAgainstAnImmovableBodyShrinksByFourFifthsFiveTimes) {
    // Overlap 100 along y: 20, 4, 0.8, 0.16 and 0.032 remain.
    W world(GetParam());
    world.Add(Rect({0, 0}, {200, 60}, 0));
    GameObject& box = world.Add(Rect({0, 20}, {200, 60}, 2));
    world.Step(0.0f);
    EXPECT_NEAR(W::BodyOf(box).position.y, 20.0f + 100.0f - 0.032f, 1e-4f);

    // Deeper than five corrections can fix: one contact allows five.
    W deep(GetParam());
    deep.Add(Rect({0, 0}, {20000, 6000}, 0));
    GameObject& sunk = deep.Add(Rect({0, 2000}, {20000, 6000}, 1));
    deep.Step(0.0f);
    EXPECT_NEAR(W::BodyOf(sunk).position.y, 2000.0f + 10000.0f - 3.2f, 2e-3f);
}

TEST_P(PhysicsStep, APenetrationOfExactlyTheThresholdIsLeftAlone) {
    // Same centre, half-widths 0.05: the overlap 0.05 + 0.05 is exactly
    // the float 0.1, and the smaller overlap, so the contact runs along x.
    W exact(GetParam());
    GameObject& left = exact.Add(Rect({0, 0}, {0.05f, 10}, 1));
    GameObject& right = exact.Add(Rect({0, 0}, {0.05f, 10}, 1));
    ASSERT_EQ(0.05f + 0.05f, 0.1f);
    exact.Step(0.0f);
    EXPECT_EQ(exact.log.size(), 2u);
    EXPECT_EQ(W::BodyOf(left).position, Vec2(0, 0));
    EXPECT_EQ(W::BodyOf(right).position, Vec2(0, 0));

    W above(GetParam());
    const float wider = std::nextafter(0.05f, 1.0f);
    GameObject& l2 = above.Add(Rect({0, 0}, {wider, 10}, 1));
    GameObject& r2 = above.Add(Rect({0, 0}, {0.05f, 10}, 1));
    above.Step(0.0f);
    EXPECT_GT(W::BodyOf(l2).position.x, 0.0f);
    EXPECT_LT(W::BodyOf(r2).position.x, 0.0f);
}

TEST_P(PhysicsStep, BounceOffAnImmovableBodyWhicheverIsA) {
    for (int movingFirst = 0; movingFirst < 2; ++movingFirst) {
        W world(GetParam());
        BodyPlan ball = Moving(Rect({0, 0}, {10, 10}, 1), {10, 0});
        BodyPlan wall = Rect({20, 0}, {10, 10}, 0);
        GameObject& first = world.Add(movingFirst ? ball : wall);
        GameObject& second = world.Add(movingFirst ? wall : ball);
        world.Step(0.0f);
        GameObject& moving = movingFirst ? first : second;
        EXPECT_EQ(W::BodyOf(moving).velocity, Vec2(-9, 0)) << movingFirst;
        EXPECT_EQ(world.log.size(), 2u);
    }
}

TEST_P(PhysicsStep, SeparatingPairsGetNoImpulse) {
    W world(GetParam());
    GameObject& a = world.Add(Moving(Rect({0, 0}, {10, 10}, 1), {-3, 1}));
    GameObject& b = world.Add(Moving(Rect({20, 0}, {10, 10}, 1), {3, 2}));
    world.Step(0.0f);
    EXPECT_EQ(world.log.size(), 2u);
    EXPECT_EQ(W::BodyOf(a).velocity, Vec2(-3, 1));
    EXPECT_EQ(W::BodyOf(b).velocity, Vec2(3, 2));
}

TEST_P(PhysicsStep, AccelerationTowardsTheContactReducesTheBounce) {
    // dt 0.1, no drag, a ball touching an immovable wall on its right.
    struct Case {
        float velocity;
        float acceleration;
        float after;
    };
    const Case cases[] = {
        // Speed 10 + 5 = 15: s = -15, s' = 13.5, g = -5 lowers s' by 4.5 to 9.
        {10, 50, 15 - (9 + 15)},
        // Speed -100 + 150 = 50: s' = 45 - 0.9 * 150 < 0 is clamped to 0.
        {-100, 1500, 0},
        // Accelerating away (g > 0): the plain bounce, 5 -> -4.5.
        {10, -50, -4.5f},
    };
    for (const Case& c : cases) {
        W world(GetParam());
        BodyPlan ball = Moving(Rect({0, 0}, {10, 10}, 1), {c.velocity, 0});
        ball.acceleration = {c.acceleration, 0};
        GameObject& moving = world.Add(ball);
        world.Add(Rect({20, 0}, {10, 10}, 0));
        world.Step(0.1f);
        EXPECT_FLOAT_EQ(W::BodyOf(moving).velocity.x, c.after) << c.acceleration;
        EXPECT_EQ(W::BodyOf(moving).velocity.y, 0.0f);
    }
}

TEST_P(PhysicsStep, PenetrationPassTakesTheLastQualifyingContactNotTheDeepest) {
    // Two independent contacts share the 10-iteration budget. Taking the
    // last one first spends two iterations on the shallow contact (1 -> 0.2
    // -> 0.04) and eight on the deep one; the deepest-first order would leave
    // 0.512 on the deep one and 0.2 on the shallow one.
    W world(GetParam());
    world.Add(OnLayers(Rect({0, 0}, {1000000, 1000000}, 0), 1));
    GameObject& deep = world.Add(OnLayers(Rect({0, 0}, {1, 1}, 1), 1));
    world.Add(OnLayers(Rect({0, 0}, {10, 10}, 0), 2));
    GameObject& shallow = world.Add(OnLayers(Rect({0, 19}, {10, 10}, 1), 2));
    world.Step(0.0f);
    EXPECT_NEAR(W::BodyOf(shallow).position.y, 19.96f, 1e-4f);
    const float deepStart = 1000001.0f;
    EXPECT_NEAR(std::fabs(W::BodyOf(deep).position.y), deepStart - deepStart * std::pow(0.2f, 8.0f), 0.5f);
}

TEST_P(PhysicsStep, VelocityPassTakesTheMostNegativeFirstOnATie) {
    // A negative restitution halves a separating velocity without making it
    // positive, so each contact stays a candidate and the 10-iteration budget
    // shows the order: -20 first, then the tie at -10 goes to the earlier
    // contact, and so on alternately, five times each.
    W world(GetParam());
    BodyPlan wall = OnLayers(Rect({0, 0}, {10, 10}, 0), 1);
    wall.restitution = -0.5f;
    BodyPlan ball = Moving(OnLayers(Rect({20, 0}, {10, 10}, 1), 1), {-10, 0});
    ball.restitution = -0.5f;
    world.Add(wall);
    GameObject& slow = world.Add(ball);
    wall.layers = 2;
    wall.position = {0, 100};
    ball.layers = 2;
    ball.position = {20, 100};
    ball.velocity = {-20, 0};
    world.Add(wall);
    GameObject& fast = world.Add(ball);
    world.Step(0.0f);
    EXPECT_EQ(W::BodyOf(slow).velocity, Vec2(-0.3125f, 0));
    EXPECT_EQ(W::BodyOf(fast).velocity, Vec2(-0.625f, 0));
}

TEST_P(PhysicsStep, EveryPositionIsWrittenBackBeforeTheFirstMessage) {
    W world(GetParam());
    GameObject& a = world.Add(Moving(Rect({0, 0}, {10, 10}, 1), {100, 0}));
    world.Add(Moving(Rect({15, 0}, {10, 10}, 1), {-100, 0}));
    world.Add(Moving(Rect({500, 0}, {10, 10}, 1), {7, 3}));
    bool checked = false;
    W::ProbeOf(a).onCollision = [&](GameObject&, Body&) {
        if (checked) {
            return;
        }
        checked = true;
        for (auto& object : world.objects) {
            EXPECT_EQ(W::PositionOf(*object).position, W::BodyOf(*object).position) << object->id;
        }
    };
    world.Step(0.25f);
    EXPECT_TRUE(checked);
    EXPECT_NE(W::PositionOf(*world.objects[2]).position, Vec2(500, 0));
}

TEST_P(PhysicsStep, BothMessagesPerContactInContactOrder) {
    W world(GetParam());
    world.Add(Rect({0, 0}, {10, 10}, 1));    // 1
    world.Add(Rect({15, 0}, {10, 10}, 1));   // 2
    world.Add(Rect({300, 0}, {10, 10}, 1));  // 3 touches nothing
    world.Add(Rect({8, 12}, {10, 10}, 1));   // 4 touches 1 and 2
    world.Step(0.0f);
    const std::vector<CollisionRecord> expected{{1, 2}, {2, 1}, {1, 4}, {4, 1}, {2, 4}, {4, 2}};
    EXPECT_EQ(world.log, expected);
}

TEST_P(PhysicsStep, ABodyCreatedDuringDeliveryJoinsFromTheNextStep) {
    W world(GetParam());
    GameObject& a = world.Add(Rect({0, 0}, {10, 10}, 1));
    world.Add(Rect({15, 0}, {10, 10}, 0));
    GameObject* spawned = nullptr;
    W::ProbeOf(a).onCollision = [&](GameObject&, Body&) {
        if (spawned == nullptr) {
            spawned = &world.Add(Rect({5, 0}, {10, 10}, 1));
        }
    };
    world.Step(0.0f);
    ASSERT_NE(spawned, nullptr);
    EXPECT_EQ(world.log.size(), 2u);
    EXPECT_EQ(W::BodyOf(*spawned).position, Vec2(5, 0));
    EXPECT_EQ(world.physics->bodies.count, 3);
    EXPECT_TRUE(world.physics->contacts.empty());
    world.log.clear();
    world.Step(0.0f);
    EXPECT_EQ(world.log.size(), 6u);
    EXPECT_NE(W::BodyOf(*spawned).position, Vec2(5, 0));
}

TEST_P(PhysicsStep, DestroyDuringDeliveryClearsResolve) {
    W world(GetParam());
    GameObject& a = world.Add(Moving(Rect({0, 0}, {10, 10}, 1), {10, 0}));
    GameObject& b = world.Add(Rect({15, 0}, {10, 10}, 0));
    W::ProbeOf(b).onCollision = [&](GameObject&, Body& other) { other.owner->Destroy(); };
    world.Step(0.0f);
    EXPECT_FALSE(W::BodyOf(a).resolve);
    const Vec2 position = W::BodyOf(a).position;
    const Vec2 velocity = W::BodyOf(a).velocity;
    world.Step(0.0f);
    EXPECT_EQ(world.log.size(), 4u);
    EXPECT_EQ(W::BodyOf(a).position, position);
    EXPECT_EQ(W::BodyOf(a).velocity, velocity);
}

INSTANTIATE_TEST_SUITE_P(BothSteppers, PhysicsStep, testing::Values(PhysicsStepper::Reference, PhysicsStepper::Fast),
                         [](const testing::TestParamInfo<PhysicsStepper>& info) {
                             return info.param == PhysicsStepper::Reference ? "Reference" : "Fast";
                         });

namespace {
// The shipped player's body (mass 4.5, drag 0.1) pushed by its 10,000-unit
// force for a second at `hz` steps a second, then left to coast for one.
struct PushAndCoast {
    float speed = 0.0f;
    float pushed = 0.0f;
    float coasted = 0.0f;
};

PushAndCoast PushThenCoast(int hz) {
    W world;
    BodyPlan plan;
    plan.mass = 4.5f;
    plan.drag = 0.1f;
    plan.layers = 0;
    Body& body = W::BodyOf(world.Add(plan));
    const float dt = 1.0f / static_cast<float>(hz);
    for (int i = 0; i < hz; ++i) {
        body.AddForce({10000.0f, 0.0f});
        world.Step(dt);
    }
    PushAndCoast run{body.velocity.x, body.position.x, 0.0f};
    for (int i = 0; i < hz; ++i) {
        world.Step(dt);
    }
    run.coasted = body.position.x - run.pushed;
    return run;
}
}  // namespace

TEST(Drag, IsPerUnitOfTimeSoEveryStepRatePlaysTheSame) {
    const PushAndCoast at60 = PushThenCoast(60);
    // Top speed (10,000 / 4.5) x 0.9 / 6 = 333 units a second, nearly reached.
    EXPECT_NEAR(at60.speed, 333.3f, 2.0f);
    for (int hz : {30, 144}) {
        const PushAndCoast run = PushThenCoast(hz);
        EXPECT_NEAR(run.speed, at60.speed, 0.02f * at60.speed) << hz;
        EXPECT_NEAR(run.pushed, at60.pushed, 0.02f * at60.pushed) << hz;
        // Positions follow the step's end velocity, so the slide differs a
        // little more: 47 units at 30 Hz, 50 at 60, 52 at 144.
        EXPECT_NEAR(run.coasted, at60.coasted, 0.1f * at60.coasted) << hz;
    }

    // A step of exactly 1/60 s is the rule the data was tuned with:
    // v' = (v + a / 60) x (1 - drag), here with water's half on top.
    W world;
    BodyPlan plan;
    plan.drag = 0.25f;
    plan.layers = 0;
    plan.velocity = {100.0f, -60.0f};
    Body& body = W::BodyOf(world.Add(plan));
    body.extraDrag = 0.5f;
    body.AddForce({600.0f, 0.0f});
    world.Step(1.0f / 60.0f);
    EXPECT_NEAR(body.velocity.x, 100.0f * 0.75f * 0.5f + 10.0f * 0.75f, 1e-3f);
    EXPECT_NEAR(body.velocity.y, -60.0f * 0.75f * 0.5f, 1e-3f);
    // A drag beyond 1 stops the body; it does not send it backwards.
    body.drag = 3.0f;
    world.Step(0.02f);
    EXPECT_EQ(body.velocity, Vec2(0.0f, 0.0f));
}
