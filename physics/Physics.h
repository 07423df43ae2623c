#pragma once

#include <vector>

#include "core/System.h"
#include "objects/IntrusiveList.h"
#include "physics/Body.h"
#include "physics/Contact.h"

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

    // The five steps, exposed so that other steppers and tests can share them.
    void Integrate(float dt);
    void DetectCollisions();
    void ResolvePenetration();
    void ResolveVelocities(float dt);
    void Publish();

    // True when the body can be simulated and tested (linked Position and
    // shape); bodies without them are left out of detection and write-back.
    static bool IsComplete(const Body& body) {
        return body.transform != nullptr && body.shape != nullptr && body.shape->IsLinked();
    }

    IntrusiveList<Body, &Body::bodyNext, &Body::bodyPrev> bodies;
    std::vector<Contact> contacts;
};

extern Physics* gPhysics;
