#pragma once

#include <string>

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

    Level* prev = nullptr;
    Level* next = nullptr;
    IntrusiveList<GameObject> objects;
    IntrusiveList<Component> updateList;
    IntrusiveList<Component> mouseListeners;
    std::string fileName;
};
