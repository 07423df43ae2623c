#include "physics/Body.h"

#include <string>

#include "objects/BlockReader.h"
#include "objects/DataReader.h"
#include "objects/GameObject.h"
#include "physics/Circle.h"
#include "physics/Physics.h"
#include "physics/Position.h"
#include "physics/Rect.h"

Body::~Body() { LeaveWorld(); }

void Body::LeaveWorld() {
    if (registered_ && gPhysics != nullptr) {
        gPhysics->UnregisterBody(*this);
    }
    registered_ = false;
}

void Body::ReadShape(DataReader& in) {
    shape.reset();
    std::string kind;
    if (!in.ReadWord(kind)) {
        return;
    }
    if (kind == "Rect") {
        shape = std::make_unique<Rect>();
    } else if (kind == "Circle") {
        shape = std::make_unique<Circle>();
    } else {
        // An unknown kind leaves the body without a shape; only the kind
        // word is consumed, the body's own keys follow.
        if (in.Observer() != nullptr) {
            in.Observer()->OnSkippedToken(in.LastPosition(), kind, "Shape");
        }
        return;
    }
    shape->Serialize(in);
}

void Body::Serialize(DataReader& in) {
    BlockReader(kTypeName)
        .Vec2("velocity", velocity)
        .Vec2("acceleration", acceleration)
        .Vec2("collisionSize", collisionSize)
        .Float("mass", mass)
        .Float("restitution", restitution)
        .Float("drag", drag)
        .Keyword("Shape", [this](DataReader& reader) { ReadShape(reader); })
        .Int("collisionLayers", collisionLayers)
        .Bool("resolve", resolve)
        .Read(in);
}

void Body::Initialize() {
    transform = owner != nullptr ? owner->Get<Position>() : nullptr;
    if (transform != nullptr) {
        if (collisionSize.x == 0.0f && collisionSize.y == 0.0f) {
            collisionSize = transform->size;
        }
        position = transform->position;
        if (shape) {
            shape->transform = transform;
            shape->extent = &collisionSize;
        }
    }
    if (mass != 0.0f) {
        inverseMass = 1.0f / mass;
    }
    if (gPhysics != nullptr && !registered_) {
        gPhysics->RegisterBody(*this);
        registered_ = true;
    }
}
