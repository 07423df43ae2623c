#include "components/ObjectThrower.h"

#include "objects/BlockReader.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "physics/Position.h"

namespace {
constexpr float kClearance = 1.1f;
}

void ObjectThrower::Serialize(DataReader& in) {
    BlockReader(kTypeName).Float("speed", speed).FileName("object", object, FileKind::Archetype).Read(in);
}

void ObjectThrower::Initialize() { body = owner != nullptr ? owner->Get<Body>() : nullptr; }

GameObject* ObjectThrower::Throw(Vec2 direction) {
    if (owner == nullptr || owner->level == nullptr || gFactory == nullptr) {
        return nullptr;
    }
    // The throw starts from the thrower's body; without a body on a Position
    // there is no place to start from.
    if (body == nullptr || body->transform == nullptr) {
        return nullptr;
    }
    direction = Vec2Normalize(direction);
    // No direction (aimed exactly at the thrower's centre): nothing to throw.
    if (direction.x == 0.0f && direction.y == 0.0f) {
        return nullptr;
    }
    GameObject* thrown = gFactory->CreateObject(object);
    if (thrown == nullptr) {
        return nullptr;
    }
    if (Body* thrownBody = thrown->Get<Body>()) {
        const float vx = speed * direction.x;
        const float vy = speed * direction.y;
        thrownBody->velocity = {body->velocity.x + vx, body->velocity.y + vy};
    }
    if (Position* position = thrown->Get<Position>()) {
        position->position = body->transform->position;
        if (body->shape != nullptr && body->shape->kind == ShapeCircle) {
            const Vec2 scaled = direction * kClearance;
            const float reach = body->collisionSize.x + position->size.x;
            position->position += scaled * reach;
        }
    }
    Factory::PlaceInLevel(*thrown, *owner->level);
    return thrown;
}
