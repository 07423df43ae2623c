#pragma once

#include <cstdint>
#include <memory>

#include "core/Vec2.h"
#include "objects/Component.h"
#include "physics/Shape.h"

class Position;

// Makes an object take part in the physics simulation. Keeps its own copy
// of the position, which the physics step writes back into the Position.
class Body : public Component {
public:
    static constexpr const char* kTypeName = "Body";

    Body() : Component(kTypeName) {}
    ~Body() override;

    void Initialize() override;
    void Serialize(DataReader& in) override;

    void AddForce(Vec2 force) { accumulatedForce += force; }
    // True between Initialize and destruction or LeaveWorld.
    bool IsRegistered() const { return registered_; }
    // Takes the body out of the physics world before its object is deleted:
    // it is no longer moved, and touches and is touched by nothing.
    void LeaveWorld();

    Vec2 position{0.0f, 0.0f};
    Vec2 velocity{0.0f, 0.0f};
    Vec2 acceleration{0.0f, 0.0f};
    float mass = 0.0f;
    float inverseMass = 0.0f;
    // The fraction of the velocity removed over 1/60 s (see Damping).
    float drag = 0.01f;
    // A further fraction removed over 1/60 s by what the body is in (Swimmer
    // sets one half while in water); not read from data.
    float extraDrag = 0.0f;
    float restitution = 0.9f;
    Vec2 accumulatedForce{0.0f, 0.0f};
    Position* transform = nullptr;
    std::unique_ptr<Shape> shape;
    std::int32_t collisionLayers = 0;
    Vec2 collisionSize{0.0f, 0.0f};
    bool resolve = true;
    Body* bodyNext = nullptr;
    Body* bodyPrev = nullptr;

private:
    void ReadShape(DataReader& in);

    bool registered_ = false;
};
