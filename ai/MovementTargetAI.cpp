#include "ai/MovementTargetAI.h"

#include "ai/AIController.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "physics/Position.h"

MovementTargetAI::~MovementTargetAI() {
    if (registered_ && gAIController != nullptr) {
        gAIController->UnregisterAI(*this);
    }
}

void MovementTargetAI::Initialize() {
    body = owner != nullptr ? owner->Get<Body>() : nullptr;
    if (gAIController != nullptr && !registered_) {
        gAIController->RegisterAI(*this);
        registered_ = true;
    }
}

bool MovementTargetAI::BodyPosition(Vec2& position) const {
    if (body == nullptr || body->transform == nullptr) {
        return false;
    }
    position = body->transform->position;
    return true;
}

void MovementTargetAI::Update(float /*dt*/) {
    Vec2 position;
    if (!BodyPosition(position)) {
        return;
    }
    const Vec2 direction = Vec2Normalize(target - position);
    body->AddForce(direction * force);
}
