#include "LevelRun.h"

#include "LevelStart.h"

#include "components/IDAnnouncer.h"
#include "core/Core.h"
#include "core/Messages.h"
#include "game/GameLogic.h"
#include "harness/Bot.h"
#include "harness/HeadlessGame.h"
#include "harness/Scene.h"
#include "objects/GameObject.h"
#include "physics/Body.h"

namespace {
constexpr std::uint32_t kEarly = 30000;

bool Reached(Vec2 start, float radius) {
    for (GameObject* opponent : scene::Opponents()) {
        auto* body = opponent->Get<Body>();
        if (body != nullptr && body->mass > 0.0f &&
            scene::Distance(scene::Where(opponent), start) <= radius + scene::Radius(opponent) + 1.0f) {
            return true;
        }
    }
    return false;
}
}  // namespace

std::uint32_t FrameLength(std::uint32_t frame, unsigned hz) {
    // Frame k ends at ceil((k + 1) * 1000 / hz) ms.
    const auto end = [hz](std::uint64_t k) { return (k * 1000 + hz - 1) / hz; };
    return static_cast<std::uint32_t>(end(frame + 1) - end(frame));
}

LevelRun RunLevel(const LevelRun::Options& options) {
    LevelRun run;
    HeadlessGame game({options.dataRoot, options.seed});
    std::uint32_t frame = 0;
    run.start = LevelStart::Open(game, options.dataRoot, options.level, options.hz, frame);
    if (run.start.outcome != LevelStart::Outcome::Playing) {
        return run;
    }
    const Vec2 start = scene::Where(scene::Player());
    const float radius = scene::Radius(scene::Player());
    Bot bot(game, options.player == LevelRun::Player::Novice ? Bot::Novice(options.seed) : Bot::Scripted());
    const std::vector<Vec2> posts = Bot::PostsAround(start);
    DeathLedger ledger;
    ledger.Watch();

    std::uint32_t now = 0;
    while (gGameLogic->inPlay && now < options.limitMs) {
        if (options.player != LevelRun::Player::Idle) {
            bot.Fight(posts);
        }
        const std::uint32_t step = FrameLength(frame++, options.hz);
        if (!game.Frame(step)) {
            break;
        }
        now += step;
        ledger.AfterFrame(now);
        if (!run.firstReachMs && Reached(start, radius)) {
            run.firstReachMs = now;
        }
    }
    if (!gGameLogic->inPlay) {
        run.won = scene::Player() != nullptr;
        run.lost = !run.won;
    }
    run.endMs = now;
    for (const auto& [id, death] : ledger.deaths) {
        ++run.deaths[death.cause];
        if (death.cause == Cause::Hazard && death.time <= kEarly) {
            ++run.earlyHazardDeaths;
        }
    }
    return run;
}
