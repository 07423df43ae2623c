#include "game/Level.h"

#include "core/Messages.h"
#include "game/GameLogic.h"
#include "objects/Factory.h"

Level::Level(std::string levelFile) : fileName(std::move(levelFile)) {}

Level::~Level() {
    Unload(true);
    if (gGameLogic != nullptr) {
        gGameLogic->UnlinkLevel(this);
    }
    fileName.clear();
    mouseListeners.Clear();
    updateList.Clear();
    objects.Clear();
}

void Level::Load() {
    if (gFactory != nullptr) {
        gFactory->LoadLevelFile(*this, fileName);
    }
}

void Level::Unload(bool detach) {
    for (GameObject* object = objects.head; object != nullptr; object = object->next) {
        object->Destroy();
        if (detach) {
            object->level = nullptr;
        }
    }
}

void Level::Reload() {
    Unload(false);
    Load();
}

void Level::Update(float dt) {
    // Members appended during the walk (a hole left by a fireball) are
    // reached in the same walk; members only leave at deletion time.
    for (Component* component = updateList.head; component != nullptr; component = component->next) {
        component->Update(dt);
    }
}

void Level::SendMessage(Message* message) {
    if (message->id != MsgMouseButton) {
        return;
    }
    for (Component* component = mouseListeners.head; component != nullptr; component = component->next) {
        component->SendMessage(message);
    }
}
