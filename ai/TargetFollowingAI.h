#pragma once

#include "ai/MovementTargetAI.h"

// Chases the player: its target is the player's position, every frame.
class TargetFollowingAI : public MovementTargetAI {
public:
    static constexpr const char* kTypeName = "TargetFollowingAI";

    TargetFollowingAI() { typeName = kTypeName; }

    void Serialize(DataReader& in) override;
    void Update(float dt) override;
};
