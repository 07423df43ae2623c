#include "components/Controllable.h"

#include "core/WinTypes.h"
#include "game/Level.h"
#include "objects/BlockReader.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "platform/Platform.h"

namespace {
bool Held(int virtualKey) { return gPlatform != nullptr && gPlatform->GetKeyState(virtualKey) < 0; }

// The letter is only asked for when the arrow is not held.
bool DirectionActive(int arrow, int letter) { return Held(arrow) || Held(letter); }
}  // namespace

Controllable::~Controllable() { link_.Leave(*this); }

void Controllable::Serialize(DataReader& in) {
    BlockReader(kTypeName)
        .Vec2("forceUp", forceUp)
        .Vec2("forceDown", forceDown)
        .Vec2("forceLeft", forceLeft)
        .Vec2("forceRight", forceRight)
        .Read(in);
}

void Controllable::Initialize() {
    body = owner != nullptr ? owner->Get<Body>() : nullptr;
    link_.Join(*this, &Level::updateList);
}

void Controllable::Update(float /*dt*/) {
    const struct {
        int arrow;
        int letter;
        const Vec2& force;
    } directions[] = {
        {win::VK_UP, win::VK_W, forceUp},
        {win::VK_DOWN, win::VK_S, forceDown},
        {win::VK_LEFT, win::VK_A, forceLeft},
        {win::VK_RIGHT, win::VK_D, forceRight},
    };
    for (const auto& direction : directions) {
        if (DirectionActive(direction.arrow, direction.letter) && body != nullptr) {
            body->AddForce(direction.force);
        }
    }
}
