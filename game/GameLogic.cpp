#include "game/GameLogic.h"

#include <cmath>
#include <memory>

#include "components/Cursor.h"
#include "components/GameplayCreators.h"
#include "core/Core.h"
#include "core/Messages.h"
#include "core/VirtualScreen.h"
#include "core/WinTypes.h"
#include "game/GameFiles.h"
#include "graphics/Sprite.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Position.h"

GameLogic* gGameLogic = nullptr;

GameLogic::GameLogic() {
    levels.PushBack(new Level(GameFiles::kMenuLevel));
    gGameLogic = this;
}

GameLogic::~GameLogic() {
    // Each level destructor unlinks itself from `levels`.
    while (levels.head != nullptr) {
        Level* level = levels.head;
        doomedLevels.erase(level);
        delete level;
    }
    gGameLogic = nullptr;
    doomedLevels.clear();
}

void GameLogic::UnlinkLevel(Level* level) {
    if (levels.head == level || level->prev != nullptr || level->next != nullptr) {
        levels.Remove(level);
    }
}

void GameLogic::NoteDeath(std::int32_t objectId, Vec2 place) { deathPlaces_[objectId] = place; }

bool GameLogic::TakeDeathPlace(std::int32_t objectId, Vec2& place) {
    auto it = deathPlaces_.find(objectId);
    if (it == deathPlaces_.end()) {
        return false;
    }
    place = it->second;
    deathPlaces_.erase(it);
    return true;
}

std::int32_t GameLogic::LeftToWin() const {
    std::int32_t leaving = 0;
    if (gFactory != nullptr) {
        for (const auto& [id, object] : gFactory->pendingDestroy) {
            leaving += static_cast<std::int32_t>(opponents_.count(id));
        }
    }
    return nonPlayerCount > leaving ? nonPlayerCount - leaving : 0;
}

void GameLogic::Initialize() {
    if (gFactory != nullptr) {
        RegisterGameplayCreators(*gFactory);
    }
}

void GameLogic::LoadLevels() {
    for (Level* level = levels.head; level != nullptr; level = level->next) {
        level->Load();
    }
}

void GameLogic::Update(float dt) {
    // A cursor whose level was reloaded (by a level without a cursor of its
    // own) neither follows the mouse nor takes clicks in its last frame.
    if (cursor != nullptr && !Level::IsRetired(*cursor)) {
        cursor->Update(dt);
    }
    for (Level* level = levels.head; level != nullptr; level = level->next) {
        level->Update(dt);
    }
    // Destruction may broadcast (announcers of the doomed objects are only
    // destroyed by the factory later, but a level destructor must never run
    // while its own set is being walked), so take the set out first.
    while (!doomedLevels.empty()) {
        std::set<Level*> doomed;
        doomed.swap(doomedLevels);
        for (Level* level : doomed) {
            delete level;
        }
    }
}

void GameLogic::DoomAllLevels() {
    // Whatever died in the levels left behind is no end screen's business.
    deathPlaces_.clear();
    for (Level* level = levels.head; level != nullptr; level = level->next) {
        doomedLevels.insert(level);
    }
}

Level* GameLogic::PushLevelAtHead(const std::string& fileName) {
    Level* level = new Level(fileName);
    levels.PushFront(level);
    level->Load();
    return level;
}

Level* GameLogic::AppendLevelAtTail(const std::string& fileName) {
    Level* level = new Level(fileName);
    levels.PushBack(level);
    level->Load();
    return level;
}

void GameLogic::BroadcastPause() {
    Message pause(MsgPause);
    BroadcastToSystems(pause);
}

void GameLogic::ShowEndScreen(const std::string& image, const Vec2* keepClear) {
    Level* level = AppendLevelAtTail(GameFiles::kEndLevel);
    if (gFactory == nullptr) {
        return;
    }
    GameObject* text = gFactory->CreateObject(GameFiles::kEndText);
    if (text == nullptr) {
        return;
    }
    if (Sprite* sprite = text->Get<Sprite>()) {
        sprite->name = image;
    }
    // The text goes to the other half of the screen rather than over the
    // place where the game was decided, with room for what marks it.
    Position* position = text->Get<Position>();
    if (keepClear != nullptr && position != nullptr) {
        constexpr float kRoom = 64.0f;
        const Vec2 d = *keepClear - position->position;
        if (std::fabs(d.x) < std::fabs(position->size.x) + kRoom &&
            std::fabs(d.y) < std::fabs(position->size.y) + kRoom) {
            position->position.y = static_cast<float>(kVirtualHeight) - position->position.y;
        }
    }
    Factory::PlaceInLevel(*text, *level);
}

void GameLogic::HandleKey(std::int32_t key, Message* /*message*/) {
    if (key == win::VK_L) {
        deathPlaces_.clear();
        Message message(MsgPause);
        BroadcastToSystems(message);
        for (Level* level = levels.head; level != nullptr; level = level->next) {
            level->Reload();
        }
        message.id = MsgResume;
        BroadcastToSystems(message);
        return;
    }
    if (key == win::VK_ESCAPE) {
        if (levels.head != nullptr && levels.head->fileName == GameFiles::kMenuLevel) {
            Message quit(MsgQuit);
            BroadcastToSystems(quit);
            return;
        }
        inPlay = false;
        DoomAllLevels();
        AppendLevelAtTail(GameFiles::kMenuLevel);
    }
}

void GameLogic::SendMessage(Message* message) {
    bool passOn = true;
    switch (message->id) {
    case MsgKey:
        HandleKey(static_cast<KeyMessage*>(message)->key, message);
        passOn = false;
        break;
    case MsgMouseButton:
        if (cursor != nullptr && !Level::IsRetired(*cursor)) {
            cursor->SendMessage(message);
        }
        break;
    case MsgMouseMove: mousePosition = static_cast<MouseMoveMessage*>(message)->position; break;
    case MsgLoadLevel:
        PushLevelAtHead(static_cast<LevelMessage*>(message)->fileName);
        passOn = false;
        break;
    case MsgSwitchLevel: {
        // Copy the name: the message belongs to a clickable whose object the
        // switch dooms (it stays alive until the frame ends, but nothing here
        // should depend on that).
        const std::string fileName = static_cast<LevelMessage*>(message)->fileName;
        Message pause(MsgPause);
        BroadcastToSystems(pause);
        DoomAllLevels();
        PushLevelAtHead(fileName);
        pause.id = MsgResume;
        BroadcastToSystems(pause);
        passOn = false;
        break;
    }
    case MsgPlayerId: {
        auto* id = static_cast<IDMessage*>(message);
        if (id->alive) {
            inPlay = true;
            playerId = id->objectId;
            break;
        }
        Vec2 place;
        const bool placed = TakeDeathPlace(id->objectId, place);
        if (id->objectId == playerId) {
            playerId = 0;
            if (inPlay) {
                inPlay = false;
                BroadcastPause();
                ShowEndScreen(GameFiles::kGameOverImage, placed ? &place : nullptr);
            }
        }
        break;
    }
    case MsgObjectId: {
        auto* id = static_cast<IDMessage*>(message);
        if (id->alive) {
            ++nonPlayerCount;
            opponents_.insert(id->objectId);
            break;
        }
        --nonPlayerCount;
        opponents_.erase(id->objectId);
        Vec2 place;
        const bool placed = TakeDeathPlace(id->objectId, place);
        if (nonPlayerCount == 0 && inPlay) {
            inPlay = false;
            BroadcastPause();
            ShowEndScreen(GameFiles::kYouWinImage, placed ? &place : nullptr);
        }
        break;
    }
    default: break;
    }
    if (!passOn) {
        return;
    }
    for (Level* level = levels.head; level != nullptr; level = level->next) {
        level->SendMessage(message);
    }
}
