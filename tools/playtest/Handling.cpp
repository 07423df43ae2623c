#include "Handling.h"

#include <cmath>

#include "LevelRun.h"
#include "LevelStart.h"
#include "core/WinTypes.h"
#include "harness/HeadlessGame.h"
#include "harness/Scene.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "physics/Physics.h"

namespace {
constexpr std::uint32_t kHoldMs = 4000;
constexpr std::uint32_t kCoastLimitMs = 10000;
// Below this the player has come to rest.
constexpr float kRestSpeed = 1.0f;

float Speed(const Body& body) { return std::hypot(body.velocity.x, body.velocity.y); }
}  // namespace

Handling MeasureHandling(const std::string& dataRoot, const std::string& level, unsigned hz) {
    Handling handling;
    HeadlessGame game({dataRoot, 1});
    std::uint32_t frame = 0;
    if (LevelStart::Open(game, dataRoot, level, hz, frame).outcome != LevelStart::Outcome::Playing) {
        return handling;
    }
    const std::int32_t playerId = scene::Player()->id;
    const auto player = [playerId]() -> Body* {
        GameObject* object = gFactory->GetObjectById(playerId);
        return object != nullptr ? object->Get<Body>() : nullptr;
    };
    if (player() == nullptr) {
        return handling;
    }
    // Nothing touches anything any more: no wall stops the player, no water
    // slows it, nobody dies and the game never ends.
    for (Body* body = gPhysics->bodies.head; body != nullptr; body = body->bodyNext) {
        body->collisionLayers = 0;
    }
    const auto run = [&](std::uint32_t forMs, auto&& each) {
        for (std::uint32_t elapsed = 0; elapsed < forMs;) {
            const std::uint32_t step = FrameLength(frame++, hz);
            if (!game.Frame(step) || player() == nullptr || !each()) {
                return;
            }
            elapsed += step;
        }
    };
    game.HoldKey(win::VK_RIGHT);
    run(kHoldMs, [&] {
        handling.topSpeed = std::fmax(handling.topSpeed, Speed(*player()));
        return true;
    });
    game.HoldKey(win::VK_RIGHT, false);
    Vec2 last = player() != nullptr ? player()->position : Vec2{};
    run(kCoastLimitMs, [&] {
        const Vec2 now = player()->position;
        handling.coast += std::hypot(now.x - last.x, now.y - last.y);
        last = now;
        return Speed(*player()) >= kRestSpeed;
    });
    handling.measured = player() != nullptr;
    return handling;
}
