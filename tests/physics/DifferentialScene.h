#pragma once

#include <bit>
#include <cstdint>
#include <vector>

#include "harness/PhysicsWorld.h"

inline std::uint32_t Bits(float v) { return std::bit_cast<std::uint32_t>(v); }

// A contact as both steppers must leave it, compared bit for bit.
struct ContactRecord {
    std::int32_t a;
    std::int32_t b;
    std::uint32_t nx, ny, penetration, separatingVelocity, restitution;
    bool operator==(const ContactRecord&) const = default;
};

// One physics world plus collision handlers that act during message
// delivery, for comparing the two steppers. The handlers depend only on ids
// and the step number, so two scenes fed the same changes act alike.
class DifferentialScene {
public:
    explicit DifferentialScene(PhysicsStepper stepper) : world(stepper) {}

    GameObject& Add(const BodyPlan& plan) {
        GameObject& object = world.Add(plan);
        W::ProbeOf(object).onCollision = [this](GameObject& self, Body& other) { OnCollision(self, other); };
        return object;
    }

    void Step(float dt) {
        snapshotTaken_ = false;
        contacts.clear();
        world.log.clear();
        world.Step(dt);
        ++step_;
    }

    GameObject* Find(std::int32_t id) {
        for (auto& object : world.objects) {
            if (object->id == id) {
                return object.get();
            }
        }
        return nullptr;
    }

    using W = PhysicsWorld;
    PhysicsWorld world;
    // Handlers spawn no more once the scene holds this many objects: the
    // reference stepper's cost grows with the square of the contacts.
    std::size_t spawnLimit = 140;
    std::vector<ContactRecord> contacts;

private:
    void OnCollision(GameObject& self, Body& other) {
        if (!snapshotTaken_) {
            snapshotTaken_ = true;
            for (const Contact& c : world.physics->contacts) {
                contacts.push_back({c.a->owner->id, c.b->owner->id, Bits(c.normal.x), Bits(c.normal.y),
                                    Bits(c.penetration), Bits(c.separatingVelocity), Bits(c.restitution)});
            }
        }
        const std::uint32_t h = static_cast<std::uint32_t>(self.id) * 2654435761u ^
                                static_cast<std::uint32_t>(other.owner->id) * 40503u ^
                                static_cast<std::uint32_t>(step_) * 97u;
        Body& body = W::BodyOf(self);
        switch (h % 61) {
        case 0:
            self.Destroy();  // clears resolve; the object lives on here
            break;
        case 1:
            body.position += Vec2{3.0f, -2.0f};  // moved by a handler
            break;
        case 2:
            if (world.objects.size() < spawnLimit) {
                BodyPlan spawn;
                spawn.kind = (h & 64) != 0 ? ShapeCircle : ShapeRect;
                spawn.position = body.position;
                spawn.size = {6.0f, 4.0f};
                spawn.mass = (h & 128) != 0 ? 0.0f : 1.5f;
                spawn.layers = 3;
                Add(spawn);
            }
            break;
        case 3: body.collisionSize = body.collisionSize * 0.5f; break;
        default: break;
        }
    }

    bool snapshotTaken_ = false;
    int step_ = 0;
};
