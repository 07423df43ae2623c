#pragma once

#include <cstdint>

#include "core/Vec2.h"

class DataReader;
class Position;

enum ShapeKind : std::int32_t {
    ShapeRect = 0,
    ShapeCircle = 1,
};

// Collision geometry of a body. It stores no geometry of its own: the centre
// comes from the linked Position and the size from the body's collisionSize,
// both read at every call.
class Shape {
public:
    explicit Shape(ShapeKind shapeKind) : kind(shapeKind) {}
    virtual ~Shape() = default;

    // True when the shapes touch or overlap; `normal` then points from
    // `other` towards this shape and `penetration` is the overlap along it.
    virtual bool Collide(const Shape& other, Vec2& normal, float& penetration) const = 0;
    virtual void Serialize(DataReader& in);
    virtual void DebugDraw() const = 0;
    // Strictly inside: a point on the border is outside.
    virtual bool ContainsPoint(const Vec2& point) const = 0;

    // False until the owning body has linked the shape (or without a Position).
    bool IsLinked() const { return transform != nullptr && extent != nullptr; }
    Vec2 Centre() const;

    ShapeKind kind;
    Position* transform = nullptr;
    Vec2* extent = nullptr;
};

// The three tests, exposed for the physics system and the tests. Each takes
// the centres and sizes directly.
bool CollideRectRect(Vec2 centreA, Vec2 halfA, Vec2 centreB, Vec2 halfB, Vec2& normal, float& penetration);
// Normal points from the circle towards the rectangle.
bool CollideRectCircle(Vec2 rectCentre, Vec2 half, Vec2 circleCentre, float radius, Vec2& normal, float& penetration);
bool CollideCircleCircle(Vec2 centreA, float radiusA, Vec2 centreB, float radiusB, Vec2& normal, float& penetration);
