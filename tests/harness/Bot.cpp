#include "harness/Bot.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "components/Hazards.h"
#include "components/Swimming.h"
#include "core/WinTypes.h"
#include "harness/Scene.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "physics/Shape.h"

namespace {
constexpr float kSnowballSpeed = 800.0f;
constexpr float kFleeDistance = 190.0f;
// In game time, so that the bot plays alike at every frame rate: it looks
// and decides 30 times a second, at the first frame that ends on or after
// each 1/30 s (every frame at 30 Hz, every second at 60, every fifth or
// fourth at 144), and gives up on a post after 5 s without a hit.
constexpr std::uint64_t kThinksPerSecond = 30;
constexpr std::uint32_t kPatienceMs = 5000;
constexpr std::uint32_t kTravelPatienceMs = 3 * kPatienceMs;
constexpr float kAtPost = 40.0f;
constexpr float kDodgeDistance = 260.0f;
constexpr float kDodgeWidth = 40.0f;
}  // namespace

void Bot::Release() {
    for (int key : {win::VK_LEFT, win::VK_RIGHT, win::VK_UP, win::VK_DOWN}) {
        game_.HoldKey(key, false);
    }
}

namespace {
// Whether a player standing at `p` would touch lava, a hole or a wall.
bool Blocked(Vec2 p) {
    constexpr float kMargin = 30.0f;
    for (GameObject* object : scene::ObstaclesAndHazards()) {
        auto* body = object->Get<Body>();
        const Vec2 c = scene::Where(object);
        if (body->shape != nullptr && body->shape->kind == ShapeRect) {
            if (std::fabs(p.x - c.x) < body->collisionSize.x + kMargin &&
                std::fabs(p.y - c.y) < body->collisionSize.y + kMargin) {
                return true;
            }
        } else if (scene::Distance(p, c) < body->collisionSize.x + kMargin) {
            return true;
        }
    }
    return false;
}

// Whether a snowball thrown from `from` at `to` passes clear of every wall.
bool ClearShot(Vec2 from, Vec2 to) {
    constexpr float kBall = 6.0f;
    const float length = scene::Distance(from, to);
    const int steps = static_cast<int>(length / 8.0f) + 1;
    for (GameObject* object : scene::ObstaclesAndHazards()) {
        auto* body = object->Get<Body>();
        if (object->Get<Deadly>() != nullptr || body->shape == nullptr || body->shape->kind != ShapeRect) {
            continue;
        }
        const Vec2 c = scene::Where(object);
        for (int i = 0; i <= steps; ++i) {
            const float t = static_cast<float>(i) / static_cast<float>(steps);
            const Vec2 p{from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t};
            if (std::fabs(p.x - c.x) < body->collisionSize.x + kBall &&
                std::fabs(p.y - c.y) < body->collisionSize.y + kBall) {
                return false;
            }
        }
    }
    return true;
}

// Whether `p` lies in water (the bot cannot aim well while swimming).
bool InWater(Vec2 p) {
    for (GameObject* object : scene::WithComponent(Water::kTypeName)) {
        auto* body = object->Get<Body>();
        const Vec2 c = scene::Where(object);
        if (body != nullptr && std::fabs(p.x - c.x) < body->collisionSize.x + 30.0f &&
            std::fabs(p.y - c.y) < body->collisionSize.y + 30.0f) {
            return true;
        }
    }
    return false;
}
}  // namespace

std::vector<Vec2> Bot::PostsAround(Vec2 start) {
    constexpr float kBorder = 70.0f;
    const auto usable = [&](Vec2 p) {
        return p.x > kBorder && p.x < 1280.0f - kBorder && p.y > kBorder && p.y < 1024.0f - kBorder && !Blocked(p) &&
               !InWater(p);
    };
    std::vector<Vec2> posts{start};
    // A firing point near every target that does not move, on the side the
    // player comes from where that is clear, else turned round it.
    std::vector<GameObject*> still;
    for (GameObject* opponent : scene::Opponents()) {
        auto* body = opponent->Get<Body>();
        if (body != nullptr && body->mass == 0.0f) {
            still.push_back(opponent);
        }
    }
    std::stable_sort(still.begin(), still.end(), [&](GameObject* a, GameObject* b) {
        return scene::Distance(scene::Where(a), start) < scene::Distance(scene::Where(b), start);
    });
    constexpr float kRange = 260.0f;
    constexpr float kTurn = 3.14159265f / 6.0f;
    for (GameObject* target : still) {
        const Vec2 at = scene::Where(target);
        const float toward = std::atan2(start.y - at.y, start.x - at.x);
        for (int turn : {0, 1, -1, 2, -2, 3, -3, 4, -4, 5, -5, 6}) {
            const float angle = toward + static_cast<float>(turn) * kTurn;
            const Vec2 p{at.x + kRange * std::cos(angle), at.y + kRange * std::sin(angle)};
            if (usable(p) && ClearShot(p, at)) {
                posts.push_back(p);
                break;
            }
        }
    }
    if (posts.size() > 1) {
        return posts;
    }
    // Nothing stands still: a ring round the start, nearer the middle first.
    constexpr float kRing = 200.0f;
    const Vec2 middle{640.0f, 512.0f};
    std::vector<Vec2> ring;
    for (int i = 0; i < 8; ++i) {
        const float angle = static_cast<float>(i) * 3.14159265f / 4.0f;
        const Vec2 p{start.x + kRing * std::cos(angle), start.y + kRing * std::sin(angle)};
        if (usable(p)) {
            ring.push_back(p);
        }
    }
    std::stable_sort(ring.begin(), ring.end(),
                     [&](Vec2 a, Vec2 b) { return scene::Distance(a, middle) < scene::Distance(b, middle); });
    for (std::size_t i = 0; i < ring.size() && posts.size() < 4; ++i) {
        posts.push_back(ring[i]);
    }
    return posts;
}

void Bot::Steer(Vec2 from, Vec2 to, float tolerance, bool careful) {
    const float dx = to.x - from.x;
    const float dy = to.y - from.y;
    if (std::fabs(dx) <= tolerance && std::fabs(dy) <= tolerance) {
        Release();
        return;
    }
    // The eight key directions, tried nearest to the wanted one first; the
    // first whose next stretch is clear of hazards and walls is taken.
    const float wanted = std::atan2(dy, dx);
    constexpr float kStep = 3.14159265f / 4.0f;
    const int base = static_cast<int>(std::lround(wanted / kStep));
    for (int turn : {0, 1, -1, 2, -2, 3, -3, 4}) {
        const float angle = static_cast<float>(base + turn) * kStep;
        const int kx = static_cast<int>(std::lround(std::cos(angle)));
        const int ky = static_cast<int>(std::lround(std::sin(angle)));
        if (careful && turn != 4 && Blocked({from.x + kx * 25.0f, from.y + ky * 25.0f})) {
            continue;
        }
        game_.HoldKey(win::VK_RIGHT, kx > 0);
        game_.HoldKey(win::VK_LEFT, kx < 0);
        game_.HoldKey(win::VK_DOWN, ky > 0);
        game_.HoldKey(win::VK_UP, ky < 0);
        return;
    }
}

const Bot::View& Bot::Look(std::uint32_t now) {
    View view{now, {}, {}};
    for (GameObject* opponent : scene::Opponents()) {
        auto* body = opponent->Get<Body>();
        view.opponents.push_back(
            {scene::Where(opponent), scene::Velocity(opponent), body != nullptr && body->mass > 0.0f});
    }
    for (GameObject* glob : scene::Showing("spit.png")) {
        view.spit.push_back({scene::Where(glob), scene::Velocity(glob), true});
    }
    views_.push_back(std::move(view));
    // Keep the newest view that is old enough, and those after it.
    while (views_.size() > 1 && now - views_[1].ms >= profile_.reactionMs) {
        views_.pop_front();
    }
    return views_.front();
}

float Bot::AimError() {
    if (!(profile_.aimErrorDegrees > 0.0f)) {
        return 0.0f;
    }
    // By hand rather than with a library distribution, whose results may
    // differ between standard libraries.
    const double unit = static_cast<double>(random_() - std::minstd_rand::min()) /
                        static_cast<double>(std::minstd_rand::max() - std::minstd_rand::min());
    constexpr double kRadiansPerDegree = 3.14159265358979 / 180.0;
    return static_cast<float>((2.0 * unit - 1.0) * profile_.aimErrorDegrees * kRadiansPerDegree);
}

void Bot::Fight(const std::vector<Vec2>& posts) {
    GameObject* player = scene::Player();
    if (player == nullptr || posts.empty()) {
        Release();
        return;
    }
    const std::uint32_t now = game_.platform.TimeGetTime();
    if (thinking_ && now < nextThinkMs_) {
        return;  // the keys stay as they are
    }
    thinking_ = true;
    const std::uint64_t tick = std::uint64_t{now} * kThinksPerSecond / 1000 + 1;
    nextThinkMs_ = static_cast<std::uint32_t>((tick * 1000 + kThinksPerSecond - 1) / kThinksPerSecond);
    const View& view = Look(now);
    const Vec2 me = scene::Where(player);
    const std::size_t count = view.opponents.size();
    // On the way to a far post it waits longer before giving up on it.
    const bool away = scene::Distance(me, posts[post_ % posts.size()]) > kAtPost;
    if (count != lastCount_) {
        lastCount_ = count;
        lastHitMs_ = now;
    } else if (now - lastHitMs_ > (away ? kTravelPatienceMs : kPatienceMs)) {
        post_ = (post_ + 1) % posts.size();
        lastHitMs_ = now;
    }
    const Vec2 home = posts[post_ % posts.size()];
    const Seen* target = nullptr;
    const Seen* threat = nullptr;
    float nearest = std::numeric_limits<float>::max();
    float nearestThreat = kFleeDistance;
    bool clear = false;
    for (const Seen& opponent : view.opponents) {
        const float d = scene::Distance(me, opponent.at);
        // The nearest one in a clear line of fire, else the nearest.
        const bool open = ClearShot(me, opponent.at);
        if ((open && !clear) || (open == clear && d < nearest)) {
            nearest = d;
            target = &opponent;
            clear = open;
        }
        if (opponent.moves && d < nearestThreat) {
            nearestThreat = d;
            threat = &opponent;
        }
    }
    // Spit on a course that passes within reach: step out of its line.
    bool dodging = false;
    for (const Seen& glob : view.spit) {
        const Vec2 r = glob.at - me;
        const Vec2 v = glob.velocity;
        const float speed = std::hypot(v.x, v.y);
        const float along = -(r.x * v.x + r.y * v.y) / (speed > 0.0f ? speed : 1.0f);
        const float across = (r.x * v.y - r.y * v.x) / (speed > 0.0f ? speed : 1.0f);
        if (speed > 0.0f && along > 0.0f && along < kDodgeDistance && std::fabs(across) < kDodgeWidth) {
            const float side = across > 0.0f ? -1.0f : 1.0f;
            Steer(me, {me.x + side * v.y, me.y - side * v.x}, 5.0f);
            dodging = true;
            break;
        }
    }
    if (dodging) {
        // Already steering out of the way.
    } else if (threat != nullptr) {
        // Run straight away from it.
        Steer(me, {me.x + (me.x - threat->at.x), me.y + (me.y - threat->at.y)}, 5.0f);
    } else {
        Steer(me, home, 15.0f);
    }
    if (target != nullptr) {
        const float lead = profile_.leads ? nearest / kSnowballSpeed : 0.0f;
        Vec2 aim{target->at.x + target->velocity.x * lead, target->at.y + target->velocity.y * lead};
        const float turn = AimError();
        if (turn != 0.0f) {
            // The direction of the throw turned about the player.
            const Vec2 d = aim - me;
            aim = {me.x + d.x * std::cos(turn) - d.y * std::sin(turn),
                   me.y + d.x * std::sin(turn) + d.y * std::cos(turn)};
        }
        scene::ClickAt(game_, aim);
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
    // Goes where it is told, hazards or not.
    Steer(me, waypoints[waypoint_], 8.0f, false);
}
