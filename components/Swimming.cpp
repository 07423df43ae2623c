#include "components/Swimming.h"

#include "ai/AIController.h"
#include "core/Messages.h"
#include "game/Level.h"
#include "objects/BlockReader.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "physics/Position.h"

void Water::Serialize(DataReader& in) { BlockReader(kTypeName).Float("swimTime", swimTime).Read(in); }

void Water::SendMessage(Message* message) {
    if (message->id != MsgCollision) {
        return;
    }
    Body* other = static_cast<CollisionMessage*>(message)->other;
    if (other == nullptr) {
        return;
    }
    if (other->owner != nullptr) {
        if (auto* swimmer = other->owner->Get<Swimmer>()) {
            swimmer->timer = swimTime;
            if (swimmer->body != nullptr) {
                swimmer->body->collisionLayers |= Swimmer::kSwimmingLayer;
            }
        }
    }
    // Without a Position there is no place to report.
    if (other->transform != nullptr && gAIController != nullptr) {
        SwimmingMessage swimming(other->transform->position);
        gAIController->SendMessage(&swimming);
    }
}

Swimmer::~Swimmer() { link_.Leave(*this); }

void Swimmer::Serialize(DataReader& in) { BlockReader(kTypeName).Float("timer", timer).Read(in); }

void Swimmer::Initialize() {
    body = owner != nullptr ? owner->Get<Body>() : nullptr;
    link_.Join(*this, &Level::updateList);
}

void Swimmer::Update(float dt) {
    if (!(timer > 0.0f)) {
        return;
    }
    timer -= dt;
    if (!(timer > 0.0f)) {
        timer = 0.0f;
        if (body != nullptr) {
            body->collisionLayers &= ~kSwimmingLayer;
            body->extraDrag = 0.0f;
        }
    } else if (body != nullptr) {
        // Half the speed per 1/60 s, applied by the physics step over the
        // frame's time, so that water slows alike at every frame rate.
        body->extraDrag = kWaterDrag;
    }
}
