#include "Bot.h"

#include <cmath>
#include <limits>

#include "core/WinTypes.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "Scene.h"

namespace {
constexpr float kSnowballSpeed = 800.0f;
constexpr float kFleeDistance = 190.0f;
}  // namespace

void Bot::Release() {
    for (int key : {win::VK_LEFT, win::VK_RIGHT, win::VK_UP, win::VK_DOWN}) {
        game_.HoldKey(key, false);
    }
}

void Bot::Steer(Vec2 from, Vec2 to, float tolerance) {
    const float dx = to.x - from.x;
    const float dy = to.y - from.y;
    game_.HoldKey(win::VK_RIGHT, dx > tolerance);
    game_.HoldKey(win::VK_LEFT, dx < -tolerance);
    game_.HoldKey(win::VK_DOWN, dy > tolerance);
    game_.HoldKey(win::VK_UP, dy < -tolerance);
}

void Bot::Fight(Vec2 home) {
    GameObject* player = scene::Player();
    if (player == nullptr) {
        Release();
        return;
    }
    const Vec2 me = scene::Where(player);
    GameObject* target = nullptr;
    GameObject* threat = nullptr;
    float nearest = std::numeric_limits<float>::max();
    float nearestThreat = kFleeDistance;
    for (GameObject* opponent : scene::Opponents()) {
        const float d = scene::Distance(me, scene::Where(opponent));
        if (d < nearest) {
            nearest = d;
            target = opponent;
        }
        auto* body = opponent->Get<Body>("Body");
        if (body != nullptr && body->mass > 0.0f && d < nearestThreat) {
            nearestThreat = d;
            threat = opponent;
        }
    }
    if (threat != nullptr) {
        // Run straight away from it.
        const Vec2 t = scene::Where(threat);
        Steer(me, {me.x + (me.x - t.x), me.y + (me.y - t.y)}, 5.0f);
    } else {
        Steer(me, home, 15.0f);
    }
    if (target != nullptr) {
        const Vec2 at = scene::Where(target);
        const Vec2 v = scene::Velocity(target);
        const float lead = nearest / kSnowballSpeed;
        scene::ClickAt(game_, {at.x + v.x * lead, at.y + v.y * lead});
    }
}

void Bot::Walk(const std::vector<Vec2>& waypoints) {
    GameObject* player = scene::Player();
    if (player == nullptr || waypoints.empty()) {
        Release();
        return;
    }
    const Vec2 me = scene::Where(player);
    if (waypoint_ + 1 < waypoints.size() && scene::Distance(me, waypoints[waypoint_]) < 20.0f) {
        ++waypoint_;
    }
    Steer(me, waypoints[waypoint_], 8.0f);
}
