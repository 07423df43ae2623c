#include "ai/SpittingAI.h"

#include "ai/AIController.h"
#include "components/ObjectThrower.h"
#include "core/Messages.h"
#include "core/Random.h"
#include "game/GameLogic.h"
#include "objects/BlockReader.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "physics/Position.h"

SpittingAI::~SpittingAI() {
    if (registered_ && gAIController != nullptr) {
        gAIController->UnregisterAI(*this);
    }
}

void SpittingAI::Serialize(DataReader& in) {
    BlockReader(kTypeName)
        .Float("maxDelay", maxDelay)
        .Float("missDistance", missDistance)
        .Float("startDelay", startDelay)
        .Read(in);
}

void SpittingAI::Initialize() {
    body = owner != nullptr ? owner->Get<Body>() : nullptr;
    thrower = owner != nullptr ? owner->Get<ObjectThrower>() : nullptr;
    if (gAIController != nullptr && !registered_) {
        gAIController->RegisterAI(*this);
        registered_ = true;
    }
    delay = startDelay + RandomFraction() * maxDelay;
    if (targetId == 0 && gGameLogic != nullptr) {
        targetId = gGameLogic->playerId;
    }
}

void SpittingAI::SendMessage(Message* message) {
    if (message->id != MsgPlayerId) {
        return;
    }
    auto* announcement = static_cast<IDMessage*>(message);
    if (announcement->alive) {
        targetId = announcement->objectId;
    }
}

void SpittingAI::Update(float dt) {
    delay -= dt;
    if (!(delay < 0.0f)) {
        return;
    }
    // The time past the old delay counts toward the next one, so that spit
    // comes as often at every frame rate.
    delay += RandomFraction() * maxDelay;
    GameObject* target = gFactory != nullptr ? gFactory->GetObjectById(targetId) : nullptr;
    if (target == nullptr) {
        return;
    }
    Position* targetPosition = target->Get<Position>();
    if (targetPosition == nullptr) {
        return;
    }
    const float fx = RandomFraction();
    const float aimX = targetPosition->position.x + (fx * 2.0f - 1.0f) * missDistance;
    const float fy = RandomFraction();
    const float aimY = targetPosition->position.y + (fy * 2.0f - 1.0f) * missDistance;
    // Without its own position or a thrower the spitter only keeps time:
    // the random draws above still happen, so the sequence stays the same.
    if (body == nullptr || body->transform == nullptr || thrower == nullptr) {
        return;
    }
    const Vec2 direction{aimX - body->transform->position.x, aimY - body->transform->position.y};
    thrower->Throw(direction);
}
