#include "components/IDAnnouncer.h"

#include "core/Core.h"
#include "core/Messages.h"
#include "objects/BlockReader.h"
#include "objects/GameObject.h"

IDAnnouncer::~IDAnnouncer() {
    // Only an object that announced its arrival announces its departure:
    // otherwise the game's count of live objects would drift.
    if (announced_) {
        Announce(false);
    }
}

void IDAnnouncer::Serialize(DataReader& in) { BlockReader(kTypeName).Bool("player", player).Read(in); }

void IDAnnouncer::Initialize() {
    if (!announced_) {
        announced_ = true;
        Announce(true);
    }
}

void IDAnnouncer::Announce(bool alive) {
    if (gCore == nullptr || owner == nullptr) {
        return;
    }
    IDMessage message(player ? MsgPlayerId : MsgObjectId, owner->id, alive);
    BroadcastToSystems(message);
}
