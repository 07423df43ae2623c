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

    Vec2 clampMin{0.0f, 0.0f};
    Vec2 clampMax{kVirtualWidth, kVirtualHeight};
};
