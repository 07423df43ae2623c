#pragma once

#include "core/Vec2.h"
#include "objects/Component.h"

// Where an object is and how large it is (half extents).
class Position : public Component {
public:
    static constexpr const char* kTypeName = "Position";

    Position() : Component(kTypeName) {}

    void Serialize(DataReader& in) override;

    Vec2 position{0.0f, 0.0f};
    float depth = 5.0f;
    float rotation = 0.0f;
    Vec2 size{1.0f, 1.0f};
};
