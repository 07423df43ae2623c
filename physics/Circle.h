#pragma once

#include "physics/Shape.h"

// Circle; the x of `extent` is its radius, the y is not read.
class Circle : public Shape {
public:
    Circle() : Shape(ShapeCircle) {}

    bool Collide(const Shape& other, Vec2& normal, float& penetration) const override;
    void DebugDraw() const override;
    bool ContainsPoint(const Vec2& point) const override;
};
