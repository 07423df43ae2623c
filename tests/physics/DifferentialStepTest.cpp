// The fast stepper against the reference stepper on randomized scenes: every
// position, velocity, contact and message must agree bit for bit.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "DifferentialScene.h"

namespace {

using Scene = DifferentialScene;

BodyPlan RandomBody(std::mt19937& rng, float width, float height) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    BodyPlan plan;
    plan.kind = unit(rng) < 0.5f ? ShapeCircle : ShapeRect;
    plan.position = {unit(rng) * width, unit(rng) * height};
    plan.size = {2.0f + 14.0f * unit(rng), 2.0f + 14.0f * unit(rng)};
    plan.mass = unit(rng) < 0.25f ? 0.0f : 0.5f + 3.0f * unit(rng);
    plan.velocity = {(unit(rng) - 0.5f) * 300.0f, (unit(rng) - 0.5f) * 300.0f};
    if (unit(rng) < 0.2f) {
        plan.acceleration = {(unit(rng) - 0.5f) * 100.0f, 200.0f * unit(rng)};
    }
    static constexpr std::int32_t kLayers[] = {1, 1, 1, 3, 2, 4, 5, -1, 0};
    plan.layers = kLayers[rng() % std::size(kLayers)];
    plan.resolve = unit(rng) >= 0.1f;
    plan.restitution = unit(rng) < 0.05f ? -0.5f : 0.2f + 0.8f * unit(rng);
    plan.drag = 0.05f * unit(rng);
    return plan;
}

void AddWalls(Scene& scene, float width, float height) {
    BodyPlan wall;
    wall.mass = 0.0f;
    wall.layers = -1;
    wall.position = {width * 0.5f, -5.0f};
    wall.size = {width * 0.5f + 10.0f, 10.0f};
    scene.Add(wall);
    wall.position = {width * 0.5f, height + 5.0f};
    scene.Add(wall);
    wall.position = {-5.0f, height * 0.5f};
    wall.size = {10.0f, height * 0.5f + 10.0f};
    scene.Add(wall);
    wall.position = {width + 5.0f, height * 0.5f};
    scene.Add(wall);
}

void ExpectSame(Scene& reference, Scene& fast, int step) {
    ASSERT_EQ(reference.world.log, fast.world.log) << "messages differ at step " << step;
    ASSERT_EQ(reference.contacts, fast.contacts) << "contacts differ at step " << step;
    const auto& rb = reference.world.physics->bodies;
    const auto& fb = fast.world.physics->bodies;
    ASSERT_EQ(rb.count, fb.count);
    for (const Body *r = rb.head, *f = fb.head; r != nullptr; r = r->bodyNext, f = f->bodyNext) {
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(r->owner->id, f->owner->id);
        const std::uint32_t expected[] = {Bits(r->position.x),
                                          Bits(r->position.y),
                                          Bits(r->velocity.x),
                                          Bits(r->velocity.y),
                                          Bits(r->transform->position.x),
                                          Bits(r->transform->position.y)};
        const std::uint32_t actual[] = {Bits(f->position.x),
                                        Bits(f->position.y),
                                        Bits(f->velocity.x),
                                        Bits(f->velocity.y),
                                        Bits(f->transform->position.x),
                                        Bits(f->transform->position.y)};
        for (std::size_t k = 0; k < std::size(expected); ++k) {
            ASSERT_EQ(expected[k], actual[k]) << "body " << r->owner->id << " field " << k << " at step " << step;
        }
        ASSERT_EQ(r->resolve, f->resolve);
    }
}

// Changes made between steps, by gameplay code or the factory: the same
// random choices are applied to both scenes.
void Disturb(std::mt19937& rng, Scene& reference, Scene& fast, float width, float height) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const int action = static_cast<int>(rng() % 16);
    const std::size_t count = reference.world.objects.size();
    const std::size_t pick = count == 0 ? 0 : rng() % count;
    auto both = [&](auto&& change) {
        change(reference);
        change(fast);
    };
    auto target = [&](Scene& scene) -> GameObject* {
        return pick < scene.world.objects.size() ? scene.world.objects[pick].get() : nullptr;
    };
    switch (action) {
    case 0:
    case 1: {
        const BodyPlan plan = RandomBody(rng, width, height);
        both([&](Scene& s) { s.Add(plan); });
        break;
    }
    case 2:
        if (pick >= 4) {  // keep the walls
            both([&](Scene& s) { s.world.Remove(*target(s)); });
        }
        break;
    case 3: {
        const float factor = 0.5f + unit(rng);
        both([&](Scene& s) { Scene::W::BodyOf(*target(s)).collisionSize *= factor; });
        break;
    }
    case 4: {
        const Vec2 to{unit(rng) * width, unit(rng) * height};
        both([&](Scene& s) { Scene::W::BodyOf(*target(s)).position = to; });
        break;
    }
    case 5: {
        const Vec2 to{unit(rng) * width, unit(rng) * height};
        both([&](Scene& s) { Scene::W::PositionOf(*target(s)).position = to; });
        break;
    }
    case 6: {
        const std::int32_t layers = static_cast<std::int32_t>(rng() % 8);
        both([&](Scene& s) { Scene::W::BodyOf(*target(s)).collisionLayers = layers; });
        break;
    }
    case 7: {
        const Vec2 force{(unit(rng) - 0.5f) * 5000.0f, (unit(rng) - 0.5f) * 5000.0f};
        both([&](Scene& s) { Scene::W::BodyOf(*target(s)).AddForce(force); });
        break;
    }
    case 8: {
        // Odd values: huge, infinite, not a number, negative sizes. Immovable
        // and non-resolving, so that they do not poison every other body.
        static constexpr float kOdd[] = {
            1e30f, -1e20f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN(),
            -3.0f, 4e15f};
        const float odd = kOdd[rng() % std::size(kOdd)];
        const int field = static_cast<int>(rng() % 3);
        BodyPlan plan = RandomBody(rng, width, height);
        plan.mass = 0.0f;
        plan.resolve = false;
        plan.velocity = {};
        plan.acceleration = {};
        plan.layers = 1;
        both([&](Scene& s) {
            GameObject& object = s.Add(plan);
            Body& body = Scene::W::BodyOf(object);
            if (field == 0) {
                Scene::W::PositionOf(object).position.x = odd;
            } else if (field == 1) {
                body.collisionSize.x = odd;
            } else {
                body.collisionSize.y = odd;
            }
        });
        break;
    }
    default: break;
    }
}

void RunScene(unsigned seed, int bodies, int steps, float width, float height, std::size_t contactsPerStep) {
    std::mt19937 rng(seed);
    Scene reference(PhysicsStepper::Reference);
    Scene fast(PhysicsStepper::Fast);
    AddWalls(reference, width, height);
    AddWalls(fast, width, height);
    for (int i = 0; i < bodies; ++i) {
        const BodyPlan plan = RandomBody(rng, width, height);
        reference.Add(plan);
        fast.Add(plan);
    }
    std::uniform_int_distribution<int> frame(0, 40);
    std::size_t totalContacts = 0;
    for (int step = 0; step < steps; ++step) {
        Disturb(rng, reference, fast, width, height);
        // Now and then an odd body is old enough to go.
        if (step % 25 == 24) {
            for (Scene* s : {&reference, &fast}) {
                for (std::size_t i = s->world.objects.size(); i-- > 4;) {
                    const Vec2 p = Scene::W::PositionOf(*s->world.objects[i]).position;
                    const Vec2 c = Scene::W::BodyOf(*s->world.objects[i]).collisionSize;
                    if (!std::isfinite(p.x + p.y + c.x + c.y) || std::fabs(p.x) > 1e6f || c.x < 0 || c.y < 0 ||
                        c.x > 1e6f || c.y > 1e6f) {
                        s->world.Remove(*s->world.objects[i]);
                    }
                }
            }
        }
        const float dt = static_cast<float>(frame(rng)) / 1000.0f;
        reference.Step(dt);
        fast.Step(dt);
        totalContacts += reference.contacts.size();
        ExpectSame(reference, fast, step);
        if (testing::Test::HasFatalFailure()) {
            return;
        }
    }
    // The scenes must actually collide for the comparison to mean much.
    EXPECT_GE(totalContacts, static_cast<std::size_t>(steps) * contactsPerStep);
}

}  // namespace

TEST(DifferentialStep, CrowdedMixedScenesAgreeBitForBit) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
        RunScene(seed, 80, 600, 260, 200, 5);
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST(DifferentialStep, SparseWideFieldAgreesBitForBit) { RunScene(99, 120, 400, 1280, 1024, 2); }

TEST(DifferentialStep, TouchingAtExactlyZeroDepthIsFoundByBothSteppers) {
    // Rows of boxes whose edges meet exactly: every neighbour pair touches
    // with zero overlap, which conservative bounds must not lose.
    Scene reference(PhysicsStepper::Reference);
    Scene fast(PhysicsStepper::Fast);
    for (Scene* s : {&reference, &fast}) {
        for (int i = 0; i < 40; ++i) {
            BodyPlan plan;
            plan.position = {1000.0f + 2.5f * static_cast<float>(i), 333.3f};
            plan.size = {1.25f, 7.0f};
            plan.kind = i % 2 == 0 ? ShapeRect : ShapeCircle;
            plan.size = plan.kind == ShapeCircle ? Vec2{1.25f, 0.0f} : plan.size;
            s->Add(plan);
        }
    }
    reference.Step(0.0f);
    fast.Step(0.0f);
    EXPECT_GE(reference.world.log.size(), 2u * 39u);
    ExpectSame(reference, fast, 0);
}
