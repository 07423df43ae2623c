#include "ai/TargetFollowingAI.h"

#include "game/GameLogic.h"
#include "objects/BlockReader.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Position.h"

void TargetFollowingAI::Serialize(DataReader& in) { BlockReader(kTypeName).Float("force", force).Read(in); }

void TargetFollowingAI::Update(float dt) {
    if (gGameLogic != nullptr && gFactory != nullptr) {
        if (GameObject* player = gFactory->GetObjectById(gGameLogic->playerId)) {
            // A player without a Position leaves the target where it was.
            if (Position* position = player->Get<Position>()) {
                target = position->position;
            }
        }
    }
    MovementTargetAI::Update(dt);
}
