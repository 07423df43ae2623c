#include "components/Cursor.h"

#include "game/GameLogic.h"
#include "objects/BlockReader.h"
#include "objects/GameObject.h"
#include "physics/Position.h"

Cursor::~Cursor() {
    if (gGameLogic != nullptr && gGameLogic->cursor == this) {
        gGameLogic->cursor = nullptr;
    }
}

void Cursor::Serialize(DataReader& in) { SkipBlock(in, typeName); }

void Cursor::Initialize() {
    if (gGameLogic != nullptr) {
        if (gGameLogic->cursor != nullptr && gGameLogic->cursor != this && gGameLogic->cursor->owner != nullptr) {
            gGameLogic->cursor->owner->Destroy();
        }
        gGameLogic->cursor = this;
    }
    transform = owner != nullptr ? owner->Get<Position>() : nullptr;
}

void Cursor::Update(float /*dt*/) {
    if (transform != nullptr && gGameLogic != nullptr) {
        transform->position = gGameLogic->mousePosition;
    }
}
