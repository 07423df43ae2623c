#include "components/Hazards.h"

#include "components/LeaveBehind.h"
#include "core/Messages.h"
#include "game/GameLogic.h"
#include "game/Level.h"
#include "objects/BlockReader.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "physics/Position.h"

void Deadly::Serialize(DataReader& in) { BlockReader(kTypeName).FileName("mark", mark, FileKind::Archetype).Read(in); }

void Deadly::SendMessage(Message* message) {
    if (message->id != MsgCollision) {
        return;
    }
    Body* other = static_cast<CollisionMessage*>(message)->other;
    if (other == nullptr || other->owner == nullptr) {
        return;
    }
    GameObject* victim = other->owner;
    Killable* killable = victim->Get<Killable>();
    if (killable != nullptr && killable->Kill() && !mark.empty() && victim->level != nullptr) {
        LeaveBehind(mark, victim->Get<Position>(), *victim->level);
    }
}

void Killable::Serialize(DataReader& in) {
    BlockReader(kTypeName).FileName("remains", remains, FileKind::Archetype).Read(in);
}

bool Killable::Kill() {
    if (owner == nullptr) {
        return false;
    }
    owner->Destroy();
    // Two deadly touches in one frame are one death.
    if (killed_) {
        return false;
    }
    killed_ = true;
    const Position* where = owner->Get<Position>();
    if (where != nullptr && gGameLogic != nullptr) {
        gGameLogic->NoteDeath(owner->id, where->position);
    }
    if (!remains.empty() && owner->level != nullptr) {
        LeaveBehind(remains, where, *owner->level);
    }
    return true;
}

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
