#pragma once

#include <cstdint>

#include "objects/Component.h"

class Body;
class ObjectThrower;

// Throws its sibling thrower's projectile at the player at random
// intervals, aimed with a random error of up to missDistance per axis.
class SpittingAI : public Component {
public:
    static constexpr const char* kTypeName = "SpittingAI";

    SpittingAI() : Component(kTypeName) {}
    ~SpittingAI() override;

    void Initialize() override;
    void Serialize(DataReader& in) override;
    void SendMessage(Message* message) override;
    void Update(float dt) override;

    float delay = 0.0f;
    float maxDelay = 5.0f;
    std::int32_t targetId = 0;
    Body* body = nullptr;
    ObjectThrower* thrower = nullptr;
    float missDistance = 150.0f;
    // Seconds added to the first wait only: a grace period at the start.
    float startDelay = 0.0f;

private:
    bool registered_ = false;
};
