#include "components/Hazards.h"

#include "core/Messages.h"
#include "game/Level.h"
#include "objects/BlockReader.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "physics/Position.h"

void Deadly::Serialize(DataReader& in) { SkipBlock(in, typeName); }

void Deadly::SendMessage(Message* message) {
    if (message->id != MsgCollision) {
        return;
    }
    Body* other = static_cast<CollisionMessage*>(message)->other;
    if (other == nullptr || other->owner == nullptr) {
        return;
    }
    if (other->owner->Get<Killable>() != nullptr) {
        other->owner->Destroy();
    }
}

void Killable::Serialize(DataReader& in) { SkipBlock(in, typeName); }

Hole::~Hole() { link_.Leave(*this); }

void Hole::Serialize(DataReader& in) { BlockReader(kTypeName).Float("duration", duration).Read(in); }

void Hole::Initialize() {
    remaining = duration;
    transform = owner != nullptr ? owner->Get<Position>() : nullptr;
    body = owner != nullptr ? owner->Get<Body>() : nullptr;
    // A missing sibling is simply not shrunk; the hole still ends on time.
    if (transform != nullptr) {
        initialSize = transform->size;
    }
    if (body != nullptr) {
        initialCollisionSize = body->collisionSize;
    }
    link_.Join(*this, &Level::updateList);
}

void Hole::Update(float dt) {
    remaining -= dt;
    if (!(remaining > 0.0f)) {
        if (owner != nullptr) {
            owner->Destroy();
        }
        return;
    }
    // remaining > 0 after counting down from duration implies duration > 0.
    const float f = remaining / duration;
    if (transform != nullptr) {
        transform->size = initialSize * f;
    }
    if (body != nullptr) {
        body->collisionSize = initialCollisionSize * f;
    }
}
