#include "components/LeaveBehind.h"

#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Position.h"

GameObject* LeaveBehind(const std::string& archetype, const Position* at, Level& level) {
    if (gFactory == nullptr || archetype.empty()) {
        return nullptr;
    }
    GameObject* object = gFactory->CreateObject(archetype);
    if (object == nullptr) {
        return nullptr;
    }
    Position* position = object->Get<Position>();
    if (position != nullptr && at != nullptr) {
        position->position = at->position;
    }
    Factory::PlaceInLevel(*object, level);
    return object;
}
