#include "harness/GameScene.h"

#include "core/Core.h"
#include "game/GameLogic.h"
#include "objects/Factory.h"

GameScene::GameScene(DataWriter write) {
    if (write != nullptr) {
        write(data);
    }
    game = std::make_unique<HeadlessGame>(HeadlessGame::Config{data.Root()});
}

bool GameScene::Start(const std::string& menuLevel) {
    data.Level("menu.lvl", menuLevel);
    return game->Start();
}

GameObject* GameScene::First(const std::string& component) const {
    const auto found = All(component);
    return found.empty() ? nullptr : found.front();
}

GameObject* GameScene::Spawn(const std::string& archetype) const {
    GameObject* object = gFactory->CreateObject(archetype);
    if (object != nullptr && gGameLogic->levels.head != nullptr) {
        Factory::PlaceInLevel(*object, *gGameLogic->levels.head);
    }
    return object;
}

bool GameScene::Pending(GameObject* object) const { return gFactory->pendingDestroy.count(object->id) != 0; }

void GameScene::Record() { gCore->systems.push_back(std::make_unique<MessageRecorder>(broadcasts)); }
