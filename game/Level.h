#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>

#include "objects/Component.h"
#include "objects/GameObject.h"
#include "objects/IntrusiveList.h"

class Message;

// One loaded level file and everything that came to life with it. Its lists
// own nothing: objects belong to the factory, components to their objects.
class Level {
public:
    explicit Level(std::string levelFile);
    virtual ~Level();
    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;

    virtual void Load();
    // Requests the destruction of every object; `detach` also clears their
    // link back to this level.
    virtual void Unload(bool detach);
    virtual void Reload();
    virtual void Update(float dt);
    virtual void SendMessage(Message* message);

    // True for an object that a reload of this level replaced: it is only
    // drawn until its deletion at the end of the frame, and takes part in
    // nothing else.
    bool IsRetired(const GameObject* object) const {
        return object != nullptr && !retired_.empty() && retired_.count(object->id) != 0;
    }
    // True for a component of such an object, in whichever level it is.
    static bool IsRetired(const Component& component) {
        const GameObject* owner = component.owner;
        return owner != nullptr && owner->level != nullptr && owner->level->IsRetired(owner);
    }

    Level* prev = nullptr;
    Level* next = nullptr;
    IntrusiveList<GameObject> objects;
    IntrusiveList<Component> updateList;
    IntrusiveList<Component> mouseListeners;
    std::string fileName;

private:
    bool HasRetiredObjects() const;

    // Ids of the objects replaced by the last reload; ids are never reused,
    // so entries of objects already deleted match nothing.
    std::unordered_set<std::int32_t> retired_;
};
