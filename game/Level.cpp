#include "game/Level.h"

#include "core/Messages.h"
#include "game/GameLogic.h"
#include "objects/Factory.h"
#include "physics/Body.h"

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
    // The old objects stay listed and drawn until the end of the frame, but
    // leave the physics world now: an old hazard standing on a spawn point
    // would otherwise kill the fresh object there, and an old fireball leave
    // a hole in the fresh level.
    for (GameObject* object = objects.head; object != nullptr; object = object->next) {
        if (Body* body = object->Get<Body>()) {
            body->LeaveWorld();
        }
    }
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
