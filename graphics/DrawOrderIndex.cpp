#include "graphics/DrawOrderIndex.h"

#include <cmath>

void DrawOrderIndex::Insert(DrawList& list, Sprite& sprite) {
    const float sort = sprite.sort;
    list.InsertBefore(InsertionPoint(list, sort), &sprite);
    sprite.listedSort_ = sort;
    if (std::isnan(sort)) {
        ++nanKeys_;
        valid_ = false;
        firstOfKey_.clear();
    } else if (valid_) {
        // Inserted in front of its equals: it is the group's new first sprite.
        firstOfKey_[sort] = &sprite;
    }
}

void DrawOrderIndex::Remove(DrawList& list, Sprite& sprite) {
    const float sort = sprite.listedSort_;
    if (std::isnan(sort)) {
        --nanKeys_;
    } else if (valid_) {
        const auto group = firstOfKey_.find(sort);
        if (group != firstOfKey_.end() && group->second == &sprite) {
            Sprite* following = sprite.drawNext;
            if (following != nullptr && following->listedSort_ == sort) {
                group->second = following;
            } else {
                firstOfKey_.erase(group);
            }
        }
    }
    list.Remove(&sprite);
}

void DrawOrderIndex::Clear() {
    firstOfKey_.clear();
    nanKeys_ = 0;
    valid_ = true;
}

Sprite* DrawOrderIndex::InsertionPoint(const DrawList& list, float sort) {
    if (nanKeys_ > 0 || std::isnan(sort)) {
        Sprite* position = list.head;
        while (position != nullptr && position->listedSort_ > sort) {
            position = position->drawNext;
        }
        return position;
    }
    if (!valid_) {
        Rebuild(list);
    }
    const auto group = firstOfKey_.lower_bound(sort);
    return group == firstOfKey_.end() ? nullptr : group->second;
}

void DrawOrderIndex::Rebuild(const DrawList& list) {
    firstOfKey_.clear();
    for (Sprite* sprite = list.head; sprite != nullptr; sprite = sprite->drawNext) {
        firstOfKey_.emplace(sprite->listedSort_, sprite);
    }
    valid_ = true;
}
