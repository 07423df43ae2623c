#include "components/MouseTargeting.h"

#include "components/ObjectThrower.h"
#include "core/Messages.h"
#include "game/GameFiles.h"
#include "game/GameLogic.h"
#include "graphics/Graphics.h"
#include "graphics/Sprite.h"
#include "objects/BlockReader.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Position.h"

namespace {
Texture* Load(const char* name) { return gGraphics != nullptr ? gGraphics->LoadTexture(name) : nullptr; }
}  // namespace

void MouseTargeting::Serialize(DataReader& in) {
    BlockReader(kTypeName)
        .Float("fireballReloadMax", fireballReloadMax)
        .Float("snowballReloadMax", snowballReloadMax)
        .Read(in);
}

void MouseTargeting::Initialize() {
    Cursor::Initialize();
    fireballReload = fireballReloadMax;
    snowballReload = snowballReloadMax;
    sprite = owner != nullptr ? owner->Get<Sprite>() : nullptr;
    cursorTexture = Load(GameFiles::kCursorImage);
    fireCursorTexture = Load(GameFiles::kFireCursorImage);
    snowCursorTexture = Load(GameFiles::kSnowCursorImage);
    bothCursorTexture = Load(GameFiles::kBothCursorImage);
    if (sprite != nullptr) {
        sprite->texture = cursorTexture;
    }
}

void MouseTargeting::Update(float dt) {
    Cursor::Update(dt);
    fireballReload -= dt;
    snowballReload -= dt;
    if (sprite == nullptr) {
        return;
    }
    const bool fireReady = fireballReload < 0.0f;
    const bool snowReady = snowballReload < 0.0f;
    if (fireReady && snowReady) {
        sprite->texture = bothCursorTexture;
    } else if (fireReady) {
        sprite->texture = fireCursorTexture;
    } else if (snowReady) {
        sprite->texture = snowCursorTexture;
    } else {
        sprite->texture = cursorTexture;
    }
}

void MouseTargeting::SendMessage(Message* message) {
    if (message->id != MsgMouseButton) {
        return;
    }
    auto* button = static_cast<MouseButtonMessage*>(message);
    if (!button->pressed) {
        return;
    }
    const bool snowball = button->left;
    if (snowball ? !(snowballReload < 0.0f) : !(fireballReload < 0.0f)) {
        return;
    }
    if (gFactory == nullptr || gGameLogic == nullptr) {
        return;
    }
    GameObject* player = gFactory->GetObjectById(gGameLogic->playerId);
    if (player == nullptr) {
        return;
    }
    auto* thrower = player->Get<ObjectThrower>();
    if (thrower == nullptr) {
        return;
    }
    if (snowball) {
        thrower->object = GameFiles::kSnowball;
        thrower->speed = 800.0f;
        snowballReload = snowballReloadMax;
    } else {
        thrower->object = GameFiles::kFireball;
        thrower->speed = 300.0f;
        fireballReload = fireballReloadMax;
    }
    // The reload has restarted; without the two positions there is no
    // direction and nothing is thrown.
    auto* playerPosition = player->Get<Position>();
    if (transform == nullptr || playerPosition == nullptr) {
        return;
    }
    const Vec2 direction{transform->position.x - playerPosition->position.x,
                         transform->position.y - playerPosition->position.y};
    thrower->Throw(direction);
}
