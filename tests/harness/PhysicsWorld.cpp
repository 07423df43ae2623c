#include "harness/PhysicsWorld.h"

#include <algorithm>

#include "core/Messages.h"
#include "objects/BlockReader.h"
#include "physics/Circle.h"
#include "physics/Rect.h"

void CollisionProbe::Serialize(DataReader& in) { SkipBlock(in, "CollisionProbe"); }

void CollisionProbe::SendMessage(Message* message) {
    if (message->id != MsgCollision) {
        return;
    }
    Body* other = static_cast<CollisionMessage*>(message)->other;
    log_->push_back({owner->id, other->owner != nullptr ? other->owner->id : 0});
    if (onCollision) {
        onCollision(*owner, *other);
    }
}

PhysicsWorld::PhysicsWorld(PhysicsStepper stepper) : physics(std::make_unique<Physics>()) {
    physics->stepper = stepper;
}

PhysicsWorld::~PhysicsWorld() {
    Activate();
    objects.clear();
    physics.reset();
}

GameObject& PhysicsWorld::Add(const BodyPlan& plan) {
    Activate();
    auto object = std::make_unique<GameObject>();
    object->id = nextId++;
    auto* position = new Position();
    position->position = plan.position;
    auto* body = new Body();
    if (plan.kind == ShapeRect) {
        body->shape = std::make_unique<Rect>();
    } else {
        body->shape = std::make_unique<Circle>();
    }
    body->collisionSize = plan.size;
    body->mass = plan.mass;
    body->velocity = plan.velocity;
    body->acceleration = plan.acceleration;
    body->collisionLayers = plan.layers;
    body->resolve = plan.resolve;
    body->restitution = plan.restitution;
    body->drag = plan.drag;
    object->AddComponent(std::unique_ptr<Component>(position));
    object->AddComponent(std::unique_ptr<Component>(body));
    if (plan.probe) {
        object->AddComponent(std::unique_ptr<Component>(new CollisionProbe(&log)));
    }
    object->Initialize();
    objects.push_back(std::move(object));
    return *objects.back();
}

void PhysicsWorld::Remove(GameObject& object) {
    Activate();
    auto it = std::find_if(objects.begin(), objects.end(), [&](const auto& o) { return o.get() == &object; });
    if (it != objects.end()) {
        objects.erase(it);
    }
}

void PhysicsWorld::Step(float dt) {
    Activate();
    physics->Update(dt);
}
