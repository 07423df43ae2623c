#include "DeathWitness.h"

#include "DeathLedger.h"
#include "components/Hazards.h"
#include "core/Messages.h"
#include "objects/GameObject.h"
#include "physics/Body.h"

void DeathWitness::SendMessage(Message* message) {
    if (message->id != MsgCollision || owner == nullptr) {
        return;
    }
    Body* other = static_cast<CollisionMessage*>(message)->other;
    if (other != nullptr && other->owner != nullptr && other->owner->Get<Deadly>() != nullptr) {
        ledger_.Touched(owner->id, *other->owner);
    }
}
