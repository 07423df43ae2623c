#include "physics/Shape.h"

#include <cmath>

#include "graphics/Graphics.h"
#include "objects/BlockReader.h"
#include "physics/Circle.h"
#include "physics/Position.h"
#include "physics/Rect.h"

void Shape::Serialize(DataReader& in) { SkipBlock(in, kind == ShapeRect ? "Rect" : "Circle"); }

Vec2 Shape::Centre() const { return transform->position; }

bool CollideRectRect(Vec2 centreA, Vec2 halfA, Vec2 centreB, Vec2 halfB, Vec2& normal, float& penetration) {
    const Vec2 d = centreA - centreB;
    const float ox = (halfA.x + halfB.x) - std::fabs(d.x);
    const float oy = (halfA.y + halfB.y) - std::fabs(d.y);
    if (ox < 0.0f || oy < 0.0f) {
        return false;
    }
    if (oy > ox) {
        normal = d.x < 0.0f ? Vec2{-1.0f, 0.0f} : Vec2{1.0f, 0.0f};
        penetration = ox;
    } else {
        normal = d.y < 0.0f ? Vec2{0.0f, -1.0f} : Vec2{0.0f, 1.0f};
        penetration = oy;
    }
    return true;
}

bool CollideRectCircle(Vec2 rectCentre, Vec2 half, Vec2 circleCentre, float radius, Vec2& normal, float& penetration) {
    Vec2 q = circleCentre;
    if (circleCentre.x < rectCentre.x - half.x) {
        q.x = rectCentre.x - half.x;
    } else if (circleCentre.x > rectCentre.x + half.x) {
        q.x = rectCentre.x + half.x;
    }
    if (circleCentre.y < rectCentre.y - half.y) {
        q.y = rectCentre.y - half.y;
    } else if (circleCentre.y > rectCentre.y + half.y) {
        q.y = rectCentre.y + half.y;
    }
    const Vec2 d = q - circleCentre;
    const float d2 = d.x * d.x + d.y * d.y;
    if (d2 > radius * radius) {
        return false;
    }
    if (d2 != 0.0f) {
        normal = Vec2Normalize(d);
        penetration = radius - std::sqrt(d2);
        return true;
    }
    const Vec2 e = circleCentre - rectCentre;
    const float ox = half.x + radius - std::fabs(e.x);
    const float oy = half.y + radius - std::fabs(e.y);
    if (oy > ox) {
        normal = e.x < 0.0f ? Vec2{1.0f, 0.0f} : Vec2{-1.0f, 0.0f};
        penetration = ox;
    } else {
        normal = e.y < 0.0f ? Vec2{0.0f, 1.0f} : Vec2{0.0f, -1.0f};
        penetration = oy;
    }
    return true;
}

bool CollideCircleCircle(Vec2 centreA, float radiusA, Vec2 centreB, float radiusB, Vec2& normal, float& penetration) {
    const float s = radiusA + radiusB;
    const Vec2 d = centreA - centreB;
    const float d2 = d.x * d.x + d.y * d.y;
    if (d2 > s * s) {
        return false;
    }
    if (d2 != 0.0f) {
        normal = Vec2Normalize(d);
        penetration = s - std::sqrt(d2);
    } else {
        normal = {1.0f, 0.0f};
        penetration = radiusA;
    }
    return true;
}

bool Rect::Collide(const Shape& other, Vec2& normal, float& penetration) const {
    if (!IsLinked() || !other.IsLinked()) {
        return false;
    }
    switch (other.kind) {
    case ShapeRect: return CollideRectRect(Centre(), *extent, other.Centre(), *other.extent, normal, penetration);
    case ShapeCircle: return CollideRectCircle(Centre(), *extent, other.Centre(), other.extent->x, normal, penetration);
    }
    return false;
}

bool Circle::Collide(const Shape& other, Vec2& normal, float& penetration) const {
    if (!IsLinked() || !other.IsLinked()) {
        return false;
    }
    switch (other.kind) {
    case ShapeRect:
        if (!CollideRectCircle(other.Centre(), *other.extent, Centre(), extent->x, normal, penetration)) {
            return false;
        }
        normal = -normal;
        return true;
    case ShapeCircle:
        return CollideCircleCircle(Centre(), extent->x, other.Centre(), other.extent->x, normal, penetration);
    }
    return false;
}

bool Rect::ContainsPoint(const Vec2& point) const {
    if (!IsLinked()) {
        return false;
    }
    const Vec2 c = Centre();
    return std::fabs(c.x - point.x) < extent->x && std::fabs(c.y - point.y) < extent->y;
}

bool Circle::ContainsPoint(const Vec2& point) const {
    if (!IsLinked()) {
        return false;
    }
    const Vec2 c = Centre();
    const float dx = c.x - point.x;
    const float dy = c.y - point.y;
    return dx * dx + dy * dy < extent->x * extent->x;
}

void Rect::DebugDraw() const {
    if (IsLinked() && gGraphics != nullptr) {
        const Vec2 c = Centre();
        gGraphics->DrawRect(c.x, c.y, extent->x, extent->y);
    }
}

void Circle::DebugDraw() const {
    if (IsLinked() && gGraphics != nullptr) {
        const Vec2 c = Centre();
        gGraphics->DrawCircle(extent->x, c.x, c.y);
    }
}
