#pragma once

// Scenes shared by the physics benchmarks: a walled 1280 x 1024 field of
// mixed circles and rectangles, and a dense pile, as plans of the physics
// tests' PhysicsWorld. Header-only so that every benchmark program builds
// the very same bodies.

#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "core/Vec2.h"
#include "harness/PhysicsWorld.h"
#include "physics/Body.h"

namespace bench {

// A body as the engine's data would make it, without a probe. `size` holds
// half extents (a circle's radius in x); mass 0 is immovable.
inline BodyPlan Plan(ShapeKind kind, Vec2 position, Vec2 size, Vec2 velocity = {}, float mass = 0.0f) {
    BodyPlan plan;
    plan.kind = kind;
    plan.position = position;
    plan.size = size;
    plan.velocity = velocity;
    plan.mass = mass;
    plan.drag = Body().drag;
    plan.probe = false;
    return plan;
}

constexpr float kFieldWidth = 1280.0f;
constexpr float kFieldHeight = 1024.0f;
constexpr float kWallHalf = 10.0f;

inline void AddWalls(std::vector<BodyPlan>& bodies) {
    const float w = kFieldWidth;
    const float h = kFieldHeight;
    bodies.push_back(Plan(ShapeRect, {w * 0.5f, -kWallHalf}, {w * 0.5f + kWallHalf, kWallHalf}));
    bodies.push_back(Plan(ShapeRect, {w * 0.5f, h + kWallHalf}, {w * 0.5f + kWallHalf, kWallHalf}));
    bodies.push_back(Plan(ShapeRect, {-kWallHalf, h * 0.5f}, {kWallHalf, h * 0.5f + kWallHalf}));
    bodies.push_back(Plan(ShapeRect, {w + kWallHalf, h * 0.5f}, {kWallHalf, h * 0.5f + kWallHalf}));
}

// `count` bodies of 8..24 units across (times `scale`) spread over the
// field, every other one movable with a random velocity, plus four walls.
inline std::vector<BodyPlan> MakeField(int count, float scale = 1.0f, unsigned seed = 7) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::vector<BodyPlan> bodies;
    AddWalls(bodies);
    for (int i = 0; i < count; ++i) {
        BodyPlan body = Plan((i % 3 == 0) ? ShapeCircle : ShapeRect, {}, {});
        const float half = (4.0f + 8.0f * unit(rng)) * scale;
        body.size = body.kind == ShapeCircle ? Vec2{half, half} : Vec2{half, (4.0f + 8.0f * unit(rng)) * scale};
        body.position = {body.size.x + (kFieldWidth - 2 * body.size.x) * unit(rng),
                         body.size.y + (kFieldHeight - 2 * body.size.y) * unit(rng)};
        if (i % 2 == 0) {
            body.mass = 1.0f + 2.0f * unit(rng);
            body.velocity = {(unit(rng) - 0.5f) * 200.0f, (unit(rng) - 0.5f) * 200.0f};
        }
        bodies.push_back(body);
    }
    return bodies;
}

// The size factor that keeps the share of the field covered by bodies (and
// with it the overlap rate) at its value for 1,000 bodies of 8..24 units.
inline float FixedOverlapScale(int count) {
    return count <= 1000 ? 1.0f : std::sqrt(1000.0f / static_cast<float>(count));
}

// Movable bodies stacked in a block at the bottom of the field, each
// overlapping its neighbours by a quarter of its size.
inline std::vector<BodyPlan> MakePile(int count, unsigned seed = 11) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::vector<BodyPlan> bodies;
    AddWalls(bodies);
    const float half = 6.0f;
    const float spacing = 2.0f * half * 0.75f;
    const int perRow = static_cast<int>(kFieldWidth / spacing) - 1;
    for (int i = 0; i < count; ++i) {
        BodyPlan body = Plan((i % 2 == 0) ? ShapeCircle : ShapeRect, {}, {half, half});
        body.position = {spacing * static_cast<float>(1 + i % perRow),
                         kFieldHeight - spacing * static_cast<float>(1 + i / perRow)};
        body.mass = 1.0f + unit(rng);
        body.velocity = {(unit(rng) - 0.5f) * 20.0f, (unit(rng) - 0.5f) * 20.0f};
        bodies.push_back(body);
    }
    return bodies;
}

// The bodies in a physics world of their own.
inline std::unique_ptr<PhysicsWorld> MakeWorld(const std::vector<BodyPlan>& bodies,
                                               PhysicsStepper stepper = PhysicsStepper::Fast) {
    auto world = std::make_unique<PhysicsWorld>(stepper);
    for (const BodyPlan& plan : bodies) {
        world->Add(plan);
    }
    return world;
}

}  // namespace bench
