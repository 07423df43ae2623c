#pragma once

#include <string>

#include "core/Vec2.h"
#include "objects/Component.h"

class Body;

// Throws objects of a configured archetype from its object's body.
class ObjectThrower : public Component {
public:
    static constexpr const char* kTypeName = "ObjectThrower";

    ObjectThrower() : Component(kTypeName) {}

    void Initialize() override;
    void Serialize(DataReader& in) override;

    // Creates the projectile at the thrower and launches it along
    // `direction`; returns the new object, or null when nothing was thrown.
    GameObject* Throw(Vec2 direction);

    float speed = 300.0f;
    Body* body = nullptr;
    std::string object;
};
