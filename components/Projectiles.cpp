#include "components/Projectiles.h"

#include "components/LeaveBehind.h"
#include "core/Messages.h"
#include "game/GameFiles.h"
#include "game/Level.h"
#include "objects/BlockReader.h"
#include "objects/GameObject.h"
#include "physics/Body.h"

namespace {
constexpr float kSlowSpeedSquared = 10000.0f;
}

Projectile::~Projectile() { link_.Leave(*this); }

void Projectile::Serialize(DataReader& in) { SkipBlock(in, typeName); }

void Projectile::Initialize() {
    link_.Join(*this, &Level::updateList);
    body = owner != nullptr ? owner->Get<Body>() : nullptr;
}

void Projectile::SendMessage(Message* message) {
    if (message->id == MsgCollision) {
        End();
    }
}

void Projectile::Update(float /*dt*/) {
    // Without a body there is no speed to slow down; only a collision could
    // end it, and a projectile without a body never collides.
    if (body != nullptr && LengthSquared(body->velocity) < kSlowSpeedSquared) {
        End();
    }
}

void Fireball::Explode() {
    Body* fireballBody = owner->Get<Body>();
    if (fireballBody != nullptr && owner->level != nullptr) {
        LeaveBehind(GameFiles::kHole, fireballBody->transform, *owner->level);
    }
    owner->Destroy();
}

void Snowball::End() { owner->Destroy(); }
