#pragma once

#include "ai/MovementTargetAI.h"

// Chases the player: its target is the player's position, every frame.
class TargetFollowingAI : public MovementTargetAI {
public:
    TargetFollowingAI() { typeName = "TargetFollowingAI"; }

    void Serialize(DataReader& in) override;
    void Update(float dt) override;
};
