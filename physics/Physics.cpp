#include "physics/Physics.h"

#include "core/Messages.h"
#include "graphics/Graphics.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Position.h"

Physics* gPhysics = nullptr;

namespace {
constexpr float kPenetrationSlop = 0.1f;
constexpr float kPenetrationShare = 0.8f;
}  // namespace

Physics::Physics() { gPhysics = this; }

Physics::~Physics() {
    if (gPhysics == this) {
        gPhysics = nullptr;
    }
    contacts.clear();
    contacts.shrink_to_fit();
    bodies.Clear();
}

void Physics::Initialize() {
    if (gFactory != nullptr) {
        gFactory->RegisterCreator("Body", &CreateComponent<Body>);
    }
}

void Physics::RegisterBody(Body& body) { bodies.PushBack(&body); }

void Physics::UnregisterBody(Body& body) { bodies.Remove(&body); }

void Physics::Update(float dt) {
    Integrate(dt);
    DetectCollisions();
    ResolvePenetration();
    ResolveVelocities(dt);
    Publish();
}

void Physics::Integrate(float dt) {
    for (Body* body = bodies.head; body != nullptr; body = body->bodyNext) {
        const Vec2 a = body->acceleration + body->accumulatedForce * body->inverseMass;
        body->velocity += a * dt;
        body->accumulatedForce = {0.0f, 0.0f};
        body->velocity *= (1.0f - body->drag);
        body->position += body->velocity * dt;
    }
}

void Physics::DetectCollisions() {
    contacts.clear();
    for (Body* a = bodies.head; a != nullptr; a = a->bodyNext) {
        if (!IsComplete(*a)) {
            continue;
        }
        for (Body* b = a->bodyNext; b != nullptr; b = b->bodyNext) {
            if ((a->collisionLayers & b->collisionLayers) == 0) {
                continue;
            }
            if (a->mass == 0.0f && b->mass == 0.0f) {
                continue;
            }
            if (!IsComplete(*b)) {
                continue;
            }
            Vec2 normal;
            float penetration = 0.0f;
            if (a->shape->Collide(*b->shape, normal, penetration)) {
                Contact contact;
                contact.a = a;
                contact.b = b;
                contact.normal = normal;
                contact.penetration = penetration;
                contact.separatingVelocity = Dot(normal, a->velocity - b->velocity);
                contact.restitution = (a->restitution + b->restitution) * 0.5f;
                contacts.push_back(contact);
            }
        }
    }
}

void Physics::ResolvePenetration() {
    const std::size_t limit = contacts.size() * 5;
    for (std::size_t iteration = 0; iteration < limit; ++iteration) {
        Contact* chosen = nullptr;
        for (std::size_t i = contacts.size(); i-- > 0;) {
            Contact& c = contacts[i];
            if (c.a->resolve && c.b->resolve && c.penetration > kPenetrationSlop) {
                chosen = &c;
                break;
            }
        }
        if (chosen == nullptr) {
            return;
        }
        Body* a = chosen->a;
        Body* b = chosen->b;
        const float totalInverseMass = a->inverseMass + b->inverseMass;
        Vec2 moveA;
        Vec2 moveB;
        // A pair whose inverse masses cancel (a negative mass in the data)
        // cannot be separated; moving it would only produce infinities.
        if (totalInverseMass != 0.0f) {
            const float m = chosen->penetration / totalInverseMass;
            const Vec2 k{kPenetrationShare * m * chosen->normal.x, kPenetrationShare * m * chosen->normal.y};
            moveA = {k.x * a->inverseMass, k.y * a->inverseMass};
            moveB = {k.x * -b->inverseMass, k.y * -b->inverseMass};
        }
        a->position += moveA;
        b->position += moveB;
        for (Contact& q : contacts) {
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
    }
}

void Physics::ResolveVelocities(float dt) {
    const std::size_t limit = contacts.size() * 5;
    for (std::size_t iteration = 0; iteration < limit; ++iteration) {
        Contact* chosen = nullptr;
        float lowest = 0.0f;
        for (Contact& c : contacts) {
            if (c.a->resolve && c.b->resolve && c.separatingVelocity < lowest) {
                lowest = c.separatingVelocity;
                chosen = &c;
            }
        }
        if (chosen == nullptr) {
            return;
        }
        Body* a = chosen->a;
        Body* b = chosen->b;
        const float s = chosen->separatingVelocity;
        float separating = -s * chosen->restitution;
        const float g = Dot(a->acceleration - b->acceleration, chosen->normal) * dt;
        if (g < 0.0f) {
            separating += chosen->restitution * g;
            if (separating < 0.0f) {
                separating = 0.0f;
            }
        }
        const float totalInverseMass = a->inverseMass + b->inverseMass;
        if (totalInverseMass != 0.0f) {
            const float j = (separating - s) / totalInverseMass;
            const Vec2 impulse = chosen->normal * j;
            a->velocity += impulse * a->inverseMass;
            b->velocity -= impulse * b->inverseMass;
        }
        chosen->separatingVelocity = separating;
    }
}

void Physics::Publish() {
    for (Body* body = bodies.head; body != nullptr; body = body->bodyNext) {
        if (body->transform != nullptr) {
            body->transform->position = body->position;
        }
    }
    // Handlers may create bodies (appended to the list, simulated from the
    // next step) and request deletions (deferred), but never touch the
    // contact array; indexing keeps the walk valid regardless.
    for (std::size_t i = 0; i < contacts.size(); ++i) {
        const Contact contact = contacts[i];
        CollisionMessage message(contact.b);
        if (contact.a->owner != nullptr) {
            contact.a->owner->SendMessage(&message);
        }
        message.other = contact.a;
        if (contact.b->owner != nullptr) {
            contact.b->owner->SendMessage(&message);
        }
    }
    contacts.clear();
}

void Physics::DrawBodies() {
    if (gGraphics == nullptr) {
        return;
    }
    for (Body* body = bodies.head; body != nullptr; body = body->bodyNext) {
        if (body->shape) {
            body->shape->DebugDraw();
        }
        if (body->transform != nullptr) {
            const Vec2 p = body->transform->position;
            gGraphics->DrawLine(p.x, p.y, p.x + body->velocity.x, p.y + body->velocity.y);
        }
    }
}
