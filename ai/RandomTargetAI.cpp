#include "ai/RandomTargetAI.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "core/Messages.h"
#include "core/Random.h"
#include "objects/BlockReader.h"

namespace {
constexpr float kRepickDistanceSquared = 1500.0f;
// Every re-pick moves the target at least a little; bounded so that a body
// whose surroundings keep landing the target close cannot stall the frame.
constexpr int kMaxPicksPerUpdate = 1000;

}  // namespace

void RandomTargetAI::Serialize(DataReader& in) {
    BlockReader(kTypeName).Float("force", force).Vec2("clampMin", clampMin).Vec2("clampMax", clampMax).Read(in);
}

void RandomTargetAI::Initialize() {
    MovementTargetAI::Initialize();
    PickTarget();
}

void RandomTargetAI::PickTarget() {
    target.x = RandomFraction() - 0.5f;
    target.y = RandomFraction() - 0.5f;
    target.x *= 2.0f * kReach;
    target.y *= 2.0f * kReach;
    Vec2 position;
    if (BodyPosition(position)) {
        target += position;
    }
    // Mirrored once; a value beyond the opposite side is not tested again.
    if (clampMin.x > target.x) {
        target.x = target.x + (clampMin.x - target.x) * 2.0f;
    } else if (target.x > clampMax.x) {
        target.x = target.x - (target.x - clampMax.x) * 2.0f;
    }
    if (clampMin.y > target.y) {
        target.y = target.y + (clampMin.y - target.y) * 2.0f;
    } else if (target.y > clampMax.y) {
        target.y = target.y - (target.y - clampMax.y) * 2.0f;
    }
}

void RandomTargetAI::TargetSpan(float from, float to, float low, float high, float& first, float& last) {
    // The drawn values span [from - kReach, to + kReach]; PickTarget mirrors
    // those below `low` across it, else those above `high` across that.
    const float a = from - kReach;
    const float b = to + kReach;
    first = std::numeric_limits<float>::infinity();
    last = -first;
    const auto take = [&](float lo, float hi) {
        first = std::min(first, lo);
        last = std::max(last, hi);
    };
    if (a < low) {
        take(2.0f * low - std::min(b, low), 2.0f * low - a);
    }
    if (std::max(a, low) <= std::min(b, high)) {
        take(std::max(a, low), std::min(b, high));
    }
    const float above = std::max({a, low, high});
    if (b > above) {
        take(2.0f * high - b, 2.0f * high - above);
    }
}

void RandomTargetAI::Update(float dt) {
    Vec2 position;
    if (!BodyPosition(position)) {
        return;
    }
    for (int picks = 0; picks < kMaxPicksPerUpdate && LengthSquared(position - target) < kRepickDistanceSquared;
         ++picks) {
        PickTarget();
    }
    MovementTargetAI::Update(dt);
}

void RandomTargetAI::SendMessage(Message* message) {
    if (message->id == MsgSwimming) {
        target = static_cast<SwimmingMessage*>(message)->position;
    }
}
