#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/Vec2.h"
#include "objects/Component.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "physics/Physics.h"
#include "physics/Position.h"
#include "physics/Shape.h"

// One collision message as an object's components saw it.
struct CollisionRecord {
    std::int32_t receiver;
    std::int32_t other;
    bool operator==(const CollisionRecord&) const = default;
};

// Records every collision message of its object and runs an optional hook,
// so that tests can act from inside message delivery.
class CollisionProbe : public Component {
public:
    using Hook = std::function<void(GameObject& self, Body& other)>;

    static constexpr const char* kTypeName = "CollisionProbe";

    explicit CollisionProbe(std::vector<CollisionRecord>* log) : Component(kTypeName), log_(log) {}

    void Serialize(DataReader& in) override;
    void SendMessage(Message* message) override;

    Hook onCollision;

private:
    std::vector<CollisionRecord>* log_;
};

// What a test body is made of; the defaults are a resolving unit-mass
// rectangle on layer 1 without drag.
struct BodyPlan {
    ShapeKind kind = ShapeRect;
    Vec2 position;
    Vec2 size{10.0f, 10.0f};
    float mass = 1.0f;
    Vec2 velocity;
    Vec2 acceleration;
    std::int32_t layers = 1;
    bool resolve = true;
    float restitution = 0.9f;
    float drag = 0.0f;
    bool probe = true;  // a CollisionProbe logging into the world's log
};

// A physics system with hand-built objects (Position, Body, CollisionProbe)
// and no factory, for tests, fuzz targets and benchmarks. Several worlds may coexist: every operation first points
// gPhysics at this world's system.
class PhysicsWorld {
public:
    explicit PhysicsWorld(PhysicsStepper stepper = PhysicsStepper::Fast);
    ~PhysicsWorld();
    PhysicsWorld(const PhysicsWorld&) = delete;
    PhysicsWorld& operator=(const PhysicsWorld&) = delete;

    // Creates, places and initializes an object; ids count from 1.
    GameObject& Add(const BodyPlan& plan);
    // Deletes an object at once (as the factory does between frames).
    void Remove(GameObject& object);
    void Step(float dt);
    void Activate() { gPhysics = physics.get(); }

    static Body& BodyOf(GameObject& object) { return *object.Get<Body>(); }
    static Position& PositionOf(GameObject& object) { return *object.Get<Position>(); }
    static CollisionProbe& ProbeOf(GameObject& object) { return *object.Get<CollisionProbe>(); }

    std::unique_ptr<Physics> physics;
    std::vector<std::unique_ptr<GameObject>> objects;
    std::vector<CollisionRecord> log;
    std::int32_t nextId = 1;
};
