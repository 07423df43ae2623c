#pragma once

#include "core/Vec2.h"
#include "objects/Component.h"

class Body;

// Steers its body towards `target` with a force of fixed magnitude. Never
// built from data itself; the derived kinds replace its type name.
class MovementTargetAI : public Component {
public:
    static constexpr const char* kTypeName = "MovementTargetAI";

    MovementTargetAI() : Component(kTypeName) {}
    ~MovementTargetAI() override;

    void Initialize() override;
    void Update(float dt) override;

    Vec2 target{0.0f, 0.0f};
    Body* body = nullptr;
    float force = 1000.0f;

protected:
    // The object's position, or false when the body or its Position is missing.
    bool BodyPosition(Vec2& position) const;

private:
    bool registered_ = false;
};
