#include "components/LevelListLink.h"

#include "game/Level.h"
#include "objects/GameObject.h"

void LevelListLink::Join(Component& component, List list) {
    if (level_ != nullptr || component.owner == nullptr || component.owner->level == nullptr) {
        return;
    }
    level_ = component.owner->level;
    list_ = list;
    (level_->*list_).PushBack(&component);
}

void LevelListLink::Leave(Component& component) {
    if (level_ != nullptr && component.owner != nullptr && component.owner->level == level_) {
        (level_->*list_).Remove(&component);
    }
    level_ = nullptr;
}
