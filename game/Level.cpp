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
    // take part in nothing else from now on: they leave the physics world,
    // and the level and AI walks skip them. An old hazard standing on a
    // spawn point would otherwise kill the fresh object there, and an old
    // fireball leave a hole in the fresh level. Every object listed now is
    // old (those of an earlier reload in this frame too).
    retired_.clear();
    for (GameObject* object = objects.head; object != nullptr; object = object->next) {
        retired_.insert(object->id);
        if (Body* body = object->Get<Body>()) {
            body->LeaveWorld();
        }
    }
    Load();
}

void Level::Update(float dt) {
    // The old objects of a reload are all deleted by the end of its frame.
    if (!retired_.empty() && (gFactory == nullptr || !HasRetiredObjects())) {
        retired_.clear();
    }
    // Members appended during the walk (a hole left by a fireball) are
    // reached in the same walk; members only leave at deletion time. The
    // test is made member by member: a member may reload this level.
    for (Component* component = updateList.head; component != nullptr; component = component->next) {
        if (!IsRetired(component->owner)) {
            component->Update(dt);
        }
    }
}

bool Level::HasRetiredObjects() const {
    for (const std::int32_t id : retired_) {
        if (gFactory->GetObjectById(id) != nullptr) {
            return true;
        }
    }
    return false;
}

void Level::SendMessage(Message* message) {
    if (message->id != MsgMouseButton) {
        return;
    }
    for (Component* component = mouseListeners.head; component != nullptr; component = component->next) {
        if (!IsRetired(component->owner)) {
            component->SendMessage(message);
        }
    }
}
