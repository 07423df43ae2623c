#pragma once

#include <cstddef>

#include "core/Vec2.h"
#include "physics/Body.h"
#include "physics/Contact.h"

// The float arithmetic of detection and of both resolvers, shared by the
// reference step and the fast step so that they perform the same operations
// in the same order and agree bit for bit.
namespace contact_math {

inline constexpr float kPenetrationSlop = 0.1f;
inline constexpr float kPenetrationShare = 0.8f;
// Each resolver stops after this many iterations per contact of the step.
inline constexpr std::size_t kIterationsPerContact = 5;

inline Contact Make(Body* a, Body* b, Vec2 normal, float penetration) {
    Contact contact;
    contact.a = a;
    contact.b = b;
    contact.normal = normal;
    contact.penetration = penetration;
    contact.separatingVelocity = Dot(normal, a->velocity - b->velocity);
    contact.restitution = (a->restitution + b->restitution) * 0.5f;
    return contact;
}

inline bool Resolves(const Contact& c) { return c.a->resolve && c.b->resolve; }

inline bool NeedsSeparation(const Contact& c) { return c.penetration > kPenetrationSlop; }

// Moves both bodies of `chosen` apart by 80 % of its penetration, shared by
// inverse mass, and returns the two moves.
inline void MoveApart(const Contact& chosen, Vec2& moveA, Vec2& moveB) {
    Body* a = chosen.a;
    Body* b = chosen.b;
    const float totalInverseMass = a->inverseMass + b->inverseMass;
    moveA = {};
    moveB = {};
    // A pair whose inverse masses cancel (a negative mass in the data)
    // cannot be separated; moving it would only produce infinities.
    if (totalInverseMass != 0.0f) {
        const float m = chosen.penetration / totalInverseMass;
        const Vec2 k{kPenetrationShare * m * chosen.normal.x, kPenetrationShare * m * chosen.normal.y};
        moveA = {k.x * a->inverseMass, k.y * a->inverseMass};
        moveB = {k.x * -b->inverseMass, k.y * -b->inverseMass};
    }
    a->position += moveA;
    b->position += moveB;
}

// Carries the moves of bodies `a` and `b` into the penetration of `q`.
inline void UpdatePenetration(Contact& q, const Body* a, const Body* b, Vec2 moveA, Vec2 moveB) {
    if (q.a == a) {
        q.penetration -= Dot(q.normal, moveA);
    } else if (q.b == a) {
        q.penetration += Dot(q.normal, moveA);
    }
    if (q.a == b) {
        q.penetration -= Dot(q.normal, moveB);
    } else if (q.b == b) {
        q.penetration += Dot(q.normal, moveB);
    }
}

// The bounce impulse of `chosen`; afterwards its separating velocity is the
// target one. The other contacts are left as they are.
inline void Bounce(Contact& chosen, float dt) {
    Body* a = chosen.a;
    Body* b = chosen.b;
    const float s = chosen.separatingVelocity;
    float separating = -s * chosen.restitution;
    const float g = Dot(a->acceleration - b->acceleration, chosen.normal) * dt;
    if (g < 0.0f) {
        separating += chosen.restitution * g;
        if (separating < 0.0f) {
            separating = 0.0f;
        }
    }
    const float totalInverseMass = a->inverseMass + b->inverseMass;
    if (totalInverseMass != 0.0f) {
        const float j = (separating - s) / totalInverseMass;
        const Vec2 impulse = chosen.normal * j;
        a->velocity += impulse * a->inverseMass;
        b->velocity -= impulse * b->inverseMass;
    }
    chosen.separatingVelocity = separating;
}

}  // namespace contact_math
