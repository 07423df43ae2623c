#pragma once

#include "core/Vec2.h"

class Body;

// One touching pair of the current physics step; `a` was registered first.
struct Contact {
    Body* a = nullptr;
    Body* b = nullptr;
    Vec2 normal;
    float penetration = 0.0f;
    float separatingVelocity = 0.0f;
    float restitution = 0.0f;
};
