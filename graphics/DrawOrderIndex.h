#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>

#include "graphics/Sprite.h"
#include "objects/IntrusiveList.h"

// Puts a sprite into the draw list without walking it: the list is kept in
// descending sort, so the place is in front of the first sprite whose key is
// not larger, the head-most sprite of the largest key that is at most the
// new one. One entry per distinct key keeps that sprite.
//
// A NaN key compares false both ways, so the list is then no longer ordered
// and only the walk gives the historical place; while any NaN key is listed
// the index steps aside and is rebuilt once the last one has left.
// Keys are the ones the sprites joined with, so a sort changed later by
// other code cannot leave the index pointing at a sprite that has left.
class DrawOrderIndex {
public:
    using DrawList = IntrusiveList<Sprite, &Sprite::drawNext, &Sprite::drawPrev>;

    // Links `sprite` into `list` at the place of its current sort.
    void Insert(DrawList& list, Sprite& sprite);
    // Unlinks `sprite` from `list`.
    void Remove(DrawList& list, Sprite& sprite);
    void Clear();

private:
    Sprite* InsertionPoint(const DrawList& list, float sort);
    void Rebuild(const DrawList& list);

    std::map<float, Sprite*, std::greater<float>> firstOfKey_;
    std::int32_t nanKeys_ = 0;
    bool valid_ = true;
};
