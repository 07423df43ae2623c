#include "ai/AIController.h"

#include "ai/RandomTargetAI.h"
#include "ai/SpittingAI.h"
#include "ai/TargetFollowingAI.h"
#include "core/Messages.h"
#include "game/Level.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"

AIController* gAIController = nullptr;

AIController::AIController() { gAIController = this; }

AIController::~AIController() {
    if (gAIController == this) {
        gAIController = nullptr;
    }
    aiComponents.Clear();
}

void AIController::Initialize() {
    if (gFactory == nullptr) {
        return;
    }
    gFactory->Register<RandomTargetAI>();
    gFactory->Register<TargetFollowingAI>();
    gFactory->Register<SpittingAI>();
}

void AIController::Update(float dt) {
    // The walk ends with the member that was last when it began: an AI that
    // joins during it (spat out by a spitter whose projectile is a spitter
    // too) starts next frame, so such data cannot spawn without end inside
    // one frame. Members only leave at deletion time, after this.
    Component* const last = aiComponents.tail;
    for (Component* component = aiComponents.head; component != nullptr; component = component->next) {
        // The old objects of a reloaded level neither steer nor listen for
        // the rest of the reload frame.
        if (!Level::IsRetired(*component)) {
            component->Update(dt);
        }
        if (component == last) {
            break;
        }
    }
}

void AIController::SendMessage(Message* message) {
    if (message->id != MsgPlayerId && message->id != MsgSwimming) {
        return;
    }
    for (Component* component = aiComponents.head; component != nullptr; component = component->next) {
        if (!Level::IsRetired(*component)) {
            component->SendMessage(message);
        }
    }
}

void AIController::RegisterAI(Component& component) { aiComponents.PushBack(&component); }

void AIController::UnregisterAI(Component& component) { aiComponents.Remove(&component); }
