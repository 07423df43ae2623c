#include "tools/check/WanderCheck.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "ai/RandomTargetAI.h"
#include "core/VirtualScreen.h"
#include "game/Level.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "physics/Position.h"
#include "tools/check/CheckObserver.h"

namespace {
struct Box {
    float x0, y0, x1, y1;
};

// The span of the targets on one axis, following the body as it walks to
// them (it goes wherever its targets are, within the arena). Narrow clamps
// keep widening it, by a fixed amount each round, up to the arena.
void Span(float start, float low, float high, float radius, float length, float& first, float& last) {
    constexpr int kRounds = 200000;
    float from = start;
    float to = start;
    first = last = start;
    for (int round = 0; round < kRounds; ++round) {
        RandomTargetAI::TargetSpan(from, to, low, high, first, last);
        const float nextFrom = std::max(std::min(from, first), std::min(start, radius));
        const float nextTo = std::min(std::max(to, last), std::max(start, length - radius));
        if (!(nextFrom < from) && !(nextTo > to)) {
            return;
        }
        from = nextFrom;
        to = nextTo;
    }
}

bool IsWallFor(const GameObject& object, const GameObject& creature, const Body& creatureBody) {
    const Body* body = object.Get<Body>();
    return &object != &creature && body != nullptr && body->shape != nullptr && body->mass == 0.0f && body->resolve &&
           (body->collisionLayers & creatureBody.collisionLayers) != 0 && object.Get<Position>();
}

// How far the area would have to move to leave the wall: the depth it
// reaches into it. `low` tells whether the wall lies at its lower side.
float Depth(const Box& area, const Box& wall, bool& low) {
    if (!(area.x0 < wall.x1 && wall.x0 < area.x1 && area.y0 < wall.y1 && wall.y0 < area.y1)) {
        return 0.0f;
    }
    const float right = area.x1 - wall.x0;
    const float left = wall.x1 - area.x0;
    const float down = area.y1 - wall.y0;
    const float up = wall.y1 - area.y0;
    const float depth = std::min({right, left, down, up});
    low = depth == left || depth == up;
    return depth;
}

// What a side of the area reaches: the arena's edge before any wall, else
// the wall it reaches deepest into.
struct Finding {
    float depth = 0.0f;
    bool edge = false;
    std::string what;

    void Note(float reach, bool isEdge, std::string name) {
        if ((isEdge && !edge) || (isEdge == edge && reach > depth)) {
            *this = {reach, isEdge, std::move(name)};
        }
    }
};

long Rounded(float v) { return std::lround(v); }

std::string Where(CheckObserver& observer, const std::string& levelPath, std::int32_t id) {
    const SourceText::Location at = observer.Locate(levelPath, observer.EntryOffset(id));
    return observer.Relative(levelPath) + ":" + std::to_string(at.line) + ":" + std::to_string(at.column);
}

void CheckCreature(CheckObserver& observer, const Level& level, const std::string& levelPath,
                   const GameObject& creature) {
    const auto* ai = creature.Get<RandomTargetAI>();
    const Body* body = creature.Get<Body>();
    const Position* position = creature.Get<Position>();
    if (ai == nullptr || body == nullptr || position == nullptr) {
        return;  // it does not move
    }
    const float radius = std::fabs(body->collisionSize.x);
    Box area{};
    Span(position->position.x, ai->clampMin.x, ai->clampMax.x, radius, kVirtualWidth, area.x0, area.x1);
    Span(position->position.y, ai->clampMin.y, ai->clampMax.y, radius, kVirtualHeight, area.y0, area.y1);
    if (!(area.x0 <= area.x1) || !(area.y0 <= area.y1)) {
        return;
    }
    // Index 0: the side of clampMin, 1: that of clampMax.
    Finding sides[2];
    const auto edge = [&](float depth, int side, const char* name) {
        if (depth > radius) {
            sides[side].Note(depth, true, std::string("past the ") + name + " edge of the arena");
        }
    };
    edge(-area.x0, 0, "left");
    edge(-area.y0, 0, "top");
    edge(area.x1 - kVirtualWidth, 1, "right");
    edge(area.y1 - kVirtualHeight, 1, "bottom");
    for (const GameObject* object = level.objects.head; object != nullptr; object = object->next) {
        if (!IsWallFor(*object, creature, *body)) {
            continue;
        }
        const Vec2 c = object->Get<Position>()->position;
        const Body& wall = *object->Get<Body>();
        const float hx = std::fabs(wall.collisionSize.x);
        const float hy = wall.shape->kind == ShapeRect ? std::fabs(wall.collisionSize.y) : hx;
        bool low = false;
        const float depth = Depth(area, {c.x - hx, c.y - hy, c.x + hx, c.y + hy}, low);
        if (depth > radius) {
            sides[low ? 0 : 1].Note(depth, false, "into the wall of " + Where(observer, levelPath, object->id));
        }
    }
    for (int s = 0; s < 2; ++s) {
        if (sides[s].what.empty()) {
            continue;
        }
        const std::string key = s == 0 ? "RandomTargetAI.clampMin" : "RandomTargetAI.clampMax";
        std::string path;
        std::int64_t offset = -1;
        if (!observer.KeyToken(creature.id, key, path, offset)) {
            path = levelPath;
            offset = observer.EntryOffset(creature.id);
        }
        std::ostringstream message;
        message << "warning: the wanderer's targets span x " << Rounded(area.x0) << " to " << Rounded(area.x1) << ", y "
                << Rounded(area.y0) << " to " << Rounded(area.y1) << " and reach " << sides[s].what
                << " by more than its radius of " << Rounded(radius);
        if (path != levelPath) {
            message << " (the object of " << Where(observer, levelPath, creature.id) << ")";
        }
        observer.Report(path, offset, message.str());
    }
}
}  // namespace

void CheckWandering(CheckObserver& observer, const Level& level, const std::string& levelPath) {
    for (const GameObject* object = level.objects.head; object != nullptr; object = object->next) {
        CheckCreature(observer, level, levelPath, *object);
    }
}
