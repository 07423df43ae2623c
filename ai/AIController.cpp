#include "ai/AIController.h"

#include "ai/RandomTargetAI.h"
#include "ai/SpittingAI.h"
#include "ai/TargetFollowingAI.h"
#include "core/Messages.h"
#include "objects/Factory.h"

AIController* gAIController = nullptr;

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
    gFactory->RegisterCreator("RandomTargetAI", &CreateComponent<RandomTargetAI>);
    gFactory->RegisterCreator("TargetFollowingAI", &CreateComponent<TargetFollowingAI>);
    gFactory->RegisterCreator("SpittingAI", &CreateComponent<SpittingAI>);
}

void AIController::Update(float dt) {
    // Members that join during the walk (a spitter's projectile never is an
    // AI, but an object spawned by one could be) are updated in the same
    // walk; members only leave at deletion time, after this.
    for (Component* component = aiComponents.head; component != nullptr; component = component->next) {
        component->Update(dt);
    }
}

void AIController::SendMessage(Message* message) {
    if (message->id != MsgPlayerId && message->id != MsgSwimming) {
        return;
    }
    for (Component* component = aiComponents.head; component != nullptr; component = component->next) {
        component->SendMessage(message);
    }
}

void AIController::RegisterAI(Component& component) { aiComponents.PushBack(&component); }

void AIController::UnregisterAI(Component& component) { aiComponents.Remove(&component); }
