#pragma once

// Scenes shared by the physics benchmarks: a walled 1280 x 1024 field of
// mixed circles and rectangles, and a dense pile. Header-only so that every
// benchmark program builds the very same bodies.

#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "core/Vec2.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "physics/Circle.h"
#include "physics/Physics.h"
#include "physics/Position.h"
#include "physics/Rect.h"

namespace bench {

struct SceneBody {
    ShapeKind kind = ShapeRect;
    Vec2 position;
    Vec2 size;  // half extents; a circle's radius in x
    Vec2 velocity;
    float mass = 0.0f;  // 0: immovable
};

constexpr float kFieldWidth = 1280.0f;
constexpr float kFieldHeight = 1024.0f;
constexpr float kWallHalf = 10.0f;

inline void AddWalls(std::vector<SceneBody>& bodies) {
    const float w = kFieldWidth;
    const float h = kFieldHeight;
    bodies.push_back({ShapeRect, {w * 0.5f, -kWallHalf}, {w * 0.5f + kWallHalf, kWallHalf}, {}, 0.0f});
    bodies.push_back({ShapeRect, {w * 0.5f, h + kWallHalf}, {w * 0.5f + kWallHalf, kWallHalf}, {}, 0.0f});
    bodies.push_back({ShapeRect, {-kWallHalf, h * 0.5f}, {kWallHalf, h * 0.5f + kWallHalf}, {}, 0.0f});
    bodies.push_back({ShapeRect, {w + kWallHalf, h * 0.5f}, {kWallHalf, h * 0.5f + kWallHalf}, {}, 0.0f});
}

// `count` bodies of 8..24 units across (times `scale`) spread over the
// field, every other one movable with a random velocity, plus four walls.
inline std::vector<SceneBody> MakeField(int count, float scale = 1.0f, unsigned seed = 7) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::vector<SceneBody> bodies;
    AddWalls(bodies);
    for (int i = 0; i < count; ++i) {
        SceneBody body;
        body.kind = (i % 3 == 0) ? ShapeCircle : ShapeRect;
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
inline std::vector<SceneBody> MakePile(int count, unsigned seed = 11) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    std::vector<SceneBody> bodies;
    AddWalls(bodies);
    const float half = 6.0f;
    const float spacing = 2.0f * half * 0.75f;
    const int perRow = static_cast<int>(kFieldWidth / spacing) - 1;
    for (int i = 0; i < count; ++i) {
        SceneBody body;
        body.kind = (i % 2 == 0) ? ShapeCircle : ShapeRect;
        body.size = {half, half};
        body.position = {spacing * static_cast<float>(1 + i % perRow),
                         kFieldHeight - spacing * static_cast<float>(1 + i / perRow)};
        body.mass = 1.0f + unit(rng);
        body.velocity = {(unit(rng) - 0.5f) * 20.0f, (unit(rng) - 0.5f) * 20.0f};
        bodies.push_back(body);
    }
    return bodies;
}

// The bodies as engine objects in their own physics system.
class EngineScene {
public:
    explicit EngineScene(const std::vector<SceneBody>& bodies, PhysicsStepper stepper = PhysicsStepper::Fast)
        : physics(std::make_unique<Physics>()) {
        physics->stepper = stepper;
        for (const SceneBody& planned : bodies) {
            auto object = std::make_unique<GameObject>();
            object->id = static_cast<std::int32_t>(objects.size()) + 1;
            auto* position = new Position();
            position->position = planned.position;
            auto* body = new Body();
            if (planned.kind == ShapeRect) {
                body->shape = std::make_unique<Rect>();
            } else {
                body->shape = std::make_unique<Circle>();
            }
            body->collisionSize = planned.size;
            body->mass = planned.mass;
            body->velocity = planned.velocity;
            body->collisionLayers = 1;
            object->AddComponent(std::unique_ptr<Component>(position));
            object->AddComponent(std::unique_ptr<Component>(body));
            object->Initialize();
            objects.push_back(std::move(object));
        }
    }
    ~EngineScene() {
        gPhysics = physics.get();
        objects.clear();
        physics.reset();
    }
    EngineScene(const EngineScene&) = delete;
    EngineScene& operator=(const EngineScene&) = delete;

    void Step(float dt) {
        gPhysics = physics.get();
        physics->Update(dt);
    }

    std::unique_ptr<Physics> physics;
    std::vector<std::unique_ptr<GameObject>> objects;
};

}  // namespace bench
