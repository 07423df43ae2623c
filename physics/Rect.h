#pragma once

#include "physics/Shape.h"

// Axis-aligned rectangle; `extent` holds its half-width and half-height.
class Rect : public Shape {
public:
    Rect() : Shape(ShapeRect) {}

    bool Collide(const Shape& other, Vec2& normal, float& penetration) const override;
    void DebugDraw() const override;
    bool ContainsPoint(const Vec2& point) const override;
};
