#pragma once

#include "ai/MovementTargetAI.h"
#include "core/VirtualScreen.h"

// Wanders between random targets near itself, mirrored into a clamp
// rectangle, and heads for any place where something swims.
class RandomTargetAI : public MovementTargetAI {
public:
    static constexpr const char* kTypeName = "RandomTargetAI";

    RandomTargetAI() { typeName = kTypeName; }

    void Initialize() override;
    void Serialize(DataReader& in) override;
    void SendMessage(Message* message) override;
    void Update(float dt) override;

    void PickTarget();

    // How far from the body PickTarget draws a target on each axis, before
    // it mirrors it into the clamp rectangle.
    static constexpr float kReach = 500.0f;
    // On one axis, the span of the targets PickTarget can give a body
    // anywhere in [from, to] with the clamp [low, high]. A clamp narrower
    // than kReach lets mirrored targets land beyond its opposite side.
    static void TargetSpan(float from, float to, float low, float high, float& first, float& last);

    Vec2 clampMin{0.0f, 0.0f};
    Vec2 clampMax{kVirtualWidth, kVirtualHeight};
};
