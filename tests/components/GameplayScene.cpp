#include "GameplayScene.h"

#include "core/Core.h"
#include "core/Messages.h"
#include "game/GameLogic.h"
#include "objects/Factory.h"

void BroadcastRecorder::SendMessage(Message* message) {
    Broadcast entry{message->id, 0, false};
    if (message->id == MsgPlayerId || message->id == MsgObjectId) {
        auto* announcement = static_cast<IDMessage*>(message);
        entry.objectId = announcement->objectId;
        entry.alive = announcement->alive;
    }
    log_->push_back(entry);
}

GameplayScene::GameplayScene() {
    data.Archetype("player.txt",
                   "Position Vec2 position 640 512 Vec2 size 16 16 end "
                   "Body float mass 1 float drag 0 Shape Circle end Vec2 collisionSize 10 10 end "
                   "ObjectThrower end IDAnnouncer bool player true end");
    data.Archetype("pointer.txt",
                   "Position Vec2 size 8 8 float depth 1 end Sprite string name cursor.png end MouseTargeting end");
    data.Archetype("snowball.txt",
                   "Position Vec2 size 5 5 end Body float mass 1 float drag 0 Shape Circle end end Snowball end");
    data.Archetype("fireball.txt",
                   "Position Vec2 size 5 5 end Body float mass 1 float drag 0 Shape Circle end end Fireball end");
    data.Archetype("hole.txt", "Position Vec2 size 20 20 end Hole float duration 5 end");
    data.SolidImage("cursor.png", 2, 2, 0xFFFFFFFFU);
    data.SolidImage("firecursor.png", 2, 2, 0xFF0000FFU);
    data.SolidImage("snowcursor.png", 2, 2, 0x0000FFFFU);
    data.SolidImage("bothcursor.png", 2, 2, 0xFF00FFFFU);
    game = std::make_unique<HeadlessGame>(HeadlessGame::Config{data.Root()});
}

bool GameplayScene::Start(const std::string& menuLevel) {
    data.Level("menu.lvl", menuLevel);
    return game->Start();
}

std::vector<GameObject*> GameplayScene::All(const std::string& component) const {
    return game->ObjectsWith(component);
}

GameObject* GameplayScene::First(const std::string& component) const {
    const auto found = All(component);
    return found.empty() ? nullptr : found.front();
}

GameObject* GameplayScene::Spawn(const std::string& archetype) const {
    GameObject* object = gFactory->CreateObject(archetype);
    if (object != nullptr && gGameLogic->levels.head != nullptr) {
        Factory::PlaceInLevel(*object, *gGameLogic->levels.head);
    }
    return object;
}

bool GameplayScene::Pending(GameObject* object) const { return gFactory->pendingDestroy.count(object) != 0; }

void GameplayScene::Record() { gCore->systems.push_back(std::make_unique<BroadcastRecorder>(&broadcasts)); }
