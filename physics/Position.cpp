#include "physics/Position.h"

#include "objects/BlockReader.h"

void Position::Serialize(DataReader& in) {
    BlockReader(kTypeName)
        .Float("rotation", rotation)
        .Float("depth", depth)
        .Vec2("position", position)
        .Vec2("size", size)
        .Read(in);
}
