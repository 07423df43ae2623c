#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "core/System.h"
#include "objects/IntrusiveList.h"
#include "physics/Body.h"
#include "physics/BroadPhase.h"
#include "physics/Contact.h"
#include "physics/ContactSolver.h"

// Which implementation runs a step. Both give bit-identical results; the
// reference one is the literal all-pairs, scan-every-contact algorithm that
// the fast one is checked against.
enum class PhysicsStepper { Fast, Reference };

// Moves every body: integration, detection, penetration and velocity
// resolution, write-back and collision messages, once per frame.
class Physics : public System {
public:
    Physics();
    ~Physics() override;

    void Initialize() override;
    void Update(float dt) override;

    void RegisterBody(Body& body);
    void UnregisterBody(Body& body);
    void DrawBodies();

    // True when the body can be simulated and tested (linked Position and
    // shape); bodies without them are left out of detection and write-back.
    static bool IsComplete(const Body& body) {
        return body.transform != nullptr && body.shape != nullptr && body.shape->IsLinked();
    }

    IntrusiveList<Body, &Body::bodyNext, &Body::bodyPrev> bodies;
    std::vector<Contact> contacts;
    // Tests and tools pick the reference stepper here; `Update` runs it.
    PhysicsStepper stepper = PhysicsStepper::Fast;

private:
    // The steps of one update. Integrate and Publish are shared; the fast
    // resolvers read working storage that only the fast detection fills, so
    // the phases of the two steppers must never be mixed.
    void Integrate(float dt);
    void DetectCollisions();
    void ResolvePenetration();
    void ResolveVelocities(float dt);
    void DetectCollisionsFast();
    void ResolvePenetrationFast();
    void ResolveVelocitiesFast(float dt);
    void Publish();

    // Working storage of the fast stepper, reused from step to step.
    std::vector<Body*> order_;
    std::vector<BroadPhase::Pair> pairs_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> contactBodies_;
    BroadPhase broadPhase_;
    ContactSolver solver_;
};

extern Physics* gPhysics;
