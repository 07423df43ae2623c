#pragma once

#include "objects/Component.h"
#include "objects/IntrusiveList.h"

class Level;

// Remembers which level list a component joined, so that it leaves exactly
// that list, and only while its object is still in that level (a removed
// level detaches its objects and empties its lists itself).
class LevelListLink {
public:
    using List = IntrusiveList<Component> Level::*;

    // Appends the component to the list of its object's level, if it has one.
    void Join(Component& component, List list);
    void Leave(Component& component);

private:
    Level* level_ = nullptr;
    List list_ = nullptr;
};
