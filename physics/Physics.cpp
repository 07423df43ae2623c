#include "physics/Physics.h"

#include "core/Messages.h"
#include "graphics/Graphics.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/ContactMath.h"
#include "physics/Damping.h"
#include "physics/Position.h"

Physics* gPhysics = nullptr;

namespace {
// A drag of 1 or more takes all of the velocity away, no more.
float RetainedFraction(float drag) { return drag < 1.0f ? 1.0f - drag : 0.0f; }
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
        gFactory->Register<Body>();
    }
}

void Physics::RegisterBody(Body& body) { bodies.PushBack(&body); }

void Physics::UnregisterBody(Body& body) { bodies.Remove(&body); }

void Physics::Update(float dt) {
    Integrate(dt);
    if (stepper == PhysicsStepper::Reference) {
        DetectCollisions();
        ResolvePenetration();
        ResolveVelocities(dt);
    } else {
        DetectCollisionsFast();
        ResolvePenetrationFast();
        ResolveVelocitiesFast(dt);
    }
    Publish();
}

void Physics::Integrate(float dt) {
    DampingCache damping(dt);
    for (Body* body = bodies.head; body != nullptr; body = body->bodyNext) {
        const Vec2 a = body->acceleration + body->accumulatedForce * body->inverseMass;
        body->accumulatedForce = {0.0f, 0.0f};
        const float ownKept = RetainedFraction(body->drag);
        const Damping& step = damping.For(ownKept * RetainedFraction(body->extraDrag), ownKept);
        body->velocity = body->velocity * step.keep + a * step.push;
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
                contacts.push_back(contact_math::Make(a, b, normal, penetration));
            }
        }
    }
}

void Physics::ResolvePenetration() {
    const std::size_t limit = contacts.size() * contact_math::kIterationsPerContact;
    for (std::size_t iteration = 0; iteration < limit; ++iteration) {
        Contact* chosen = nullptr;
        for (std::size_t i = contacts.size(); i-- > 0;) {
            Contact& c = contacts[i];
            if (contact_math::Resolves(c) && contact_math::NeedsSeparation(c)) {
                chosen = &c;
                break;
            }
        }
        if (chosen == nullptr) {
            return;
        }
        const Body* a = chosen->a;
        const Body* b = chosen->b;
        Vec2 moveA;
        Vec2 moveB;
        contact_math::MoveApart(*chosen, moveA, moveB);
        for (Contact& q : contacts) {
            contact_math::UpdatePenetration(q, a, b, moveA, moveB);
        }
    }
}

void Physics::ResolveVelocities(float dt) {
    const std::size_t limit = contacts.size() * contact_math::kIterationsPerContact;
    for (std::size_t iteration = 0; iteration < limit; ++iteration) {
        Contact* chosen = nullptr;
        float lowest = 0.0f;
        for (Contact& c : contacts) {
            if (contact_math::Resolves(c) && c.separatingVelocity < lowest) {
                lowest = c.separatingVelocity;
                chosen = &c;
            }
        }
        if (chosen == nullptr) {
            return;
        }
        contact_math::Bounce(*chosen, dt);
    }
}

void Physics::DetectCollisionsFast() {
    contacts.clear();
    contactBodies_.clear();
    order_.clear();
    for (Body* body = bodies.head; body != nullptr; body = body->bodyNext) {
        order_.push_back(body);
    }
    broadPhase_.FindPairs(order_, pairs_);
    for (const auto& [i, j] : pairs_) {
        Body* a = order_[i];
        Body* b = order_[j];
        Vec2 normal;
        float penetration = 0.0f;
        if (a->shape->Collide(*b->shape, normal, penetration)) {
            contacts.push_back(contact_math::Make(a, b, normal, penetration));
            contactBodies_.emplace_back(i, j);
        }
    }
}

void Physics::ResolvePenetrationFast() {
    solver_.ResolvePenetration(contacts, contactBodies_, static_cast<std::uint32_t>(order_.size()));
}

void Physics::ResolveVelocitiesFast(float dt) { solver_.ResolveVelocities(contacts, dt); }

void Physics::Publish() {
    for (Body* body = bodies.head; body != nullptr; body = body->bodyNext) {
        if (body->transform != nullptr) {
            body->transform->position = body->position;
        }
    }
    // Handlers may create bodies (appended to the list, simulated from the
    // next step) and request deletions (deferred), but never touch the
    // contact array; indexing keeps the walk valid regardless. A handler
    // that reloads a level takes the old bodies out of the world: their
    // remaining contacts are not delivered to either side.
    for (std::size_t i = 0; i < contacts.size(); ++i) {
        const Contact contact = contacts[i];
        if (!contact.a->IsRegistered() || !contact.b->IsRegistered()) {
            continue;
        }
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
