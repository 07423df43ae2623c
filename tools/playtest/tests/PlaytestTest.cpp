// The playtest tool on an arena of its own: one chaser runs at the player
// into a mine (both die), another into lava; a crystal waits to be shot.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "Handling.h"
#include "LevelRun.h"
#include "LevelStart.h"
#include "game/GameLogic.h"
#include "harness/Bot.h"
#include "harness/HeadlessGame.h"
#include "harness/Scene.h"
#include "harness/TempData.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "physics/Position.h"

namespace {
class Arena : public TempData {
public:
    Arena() {
        Archetype("player.txt", "Position Vec2 size 11 11 end\n"
                                "Body Shape Circle end float mass 4.5 float drag 0.1 int collisionLayers 1069 end\n"
                                "Controllable end\n"
                                "ObjectThrower string object snowball.txt float speed 800 end\n"
                                "Killable end\n"
                                "IDAnnouncer bool player true end\n");
        Archetype("crosshair.txt", "Position Vec2 size 12 12 end\n"
                                   "MouseTargeting float snowballReloadMax 0.6 float fireballReloadMax 2.5 end\n");
        Archetype("snowball.txt", "Position Vec2 size 4 4 end\n"
                                  "Body Shape Circle end float mass 0.2 float drag 0.003 int collisionLayers 336 end\n"
                                  "Snowball end\n"
                                  "Deadly end\n");
        Archetype("fireball.txt", "Position Vec2 size 6 6 end\n"
                                  "Body Shape Circle end float mass 0.5 float drag 0.002 int collisionLayers 336 end\n"
                                  "Fireball end\n");
        Archetype("hole.txt", "Position Vec2 size 24 24 end\n"
                              "Body Shape Circle end float mass 1 bool resolve false int collisionLayers 136 end\n"
                              "Hole float duration 4 end\n"
                              "Deadly end\n");
        Archetype("chaser.txt", "Position Vec2 size 10 10 end\n"
                                "Body Shape Circle end float mass 1 float drag 0.1 int collisionLayers 29 end\n"
                                "TargetFollowingAI float force 1300 end\n"
                                "Deadly end\n"
                                "Killable end\n"
                                "IDAnnouncer end\n");
        Archetype("mine.txt", "Position Vec2 size 11 11 end\n"
                              "Body Shape Circle end int collisionLayers 25 end\n"
                              "Deadly end\n"
                              "Killable end\n"
                              "IDAnnouncer end\n");
        Archetype("crystal.txt", "Position Vec2 size 13 13 end\n"
                                 "Body Shape Circle end int collisionLayers 1216 end\n"
                                 "Killable end\n"
                                 "IDAnnouncer end\n");
        Archetype("lava.txt", "Position Vec2 size 20 200 end\n"
                              "Body Shape Rect end bool resolve false int collisionLayers 8 end\n"
                              "Deadly end\n");
        Archetype("text.txt", "Position Vec2 position 640 512 Vec2 size 200 100 end\n"
                              "Sprite string name gameover.png end\n");
        Level("menu.lvl", "");
        Level("gameend.lvl", "");
        Level("arena.lvl", "crosshair.txt end\n"
                           "lava.txt Position Vec2 position 450 512 end end\n"
                           "crystal.txt Position Vec2 position 300 800 end end\n"
                           "mine.txt Position Vec2 position 800 512 end end\n"
                           "chaser.txt Position Vec2 position 1100 512 end end\n"
                           "chaser.txt Position Vec2 position 1100 200 end end\n"
                           "player.txt Position Vec2 position 200 512 end end\n");
    }
};

LevelRun Play(const Arena& arena, LevelRun::Player player, unsigned seed) {
    return RunLevel({arena.Root(), "arena.lvl", seed, player, 20000});
}

int Count(const LevelRun& run, Cause cause) {
    auto it = run.deaths.find(cause);
    return it == run.deaths.end() ? 0 : it->second;
}

int RunTool(const std::string& arguments) {
    const std::string command = std::string("'") + VELMOR_PLAYTEST_BINARY + "' " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
}  // namespace

TEST(Playtest, DeathsAreAttributedToWhatKilled) {
    Arena arena;
    const LevelRun idle = Play(arena, LevelRun::Player::Idle, 1);
    ASSERT_TRUE(idle.Started());
    EXPECT_EQ(Count(idle, Cause::EachOther), 2);
    EXPECT_EQ(Count(idle, Cause::Hazard), 1);
    EXPECT_EQ(Count(idle, Cause::Player), 0);
    EXPECT_EQ(Count(idle, Cause::Other), 0);
    EXPECT_EQ(idle.earlyHazardDeaths, 1);
    EXPECT_FALSE(idle.won);
    EXPECT_FALSE(idle.lost);
    EXPECT_FALSE(idle.firstReachMs.has_value());

    // Nobody else can kill the crystal: once the bot has, it has won.
    const LevelRun bot = Play(arena, LevelRun::Player::Bot, 1);
    EXPECT_GE(Count(bot, Cause::Player), 1);
    EXPECT_EQ(Count(bot, Cause::Other), 0);
    EXPECT_TRUE(bot.won);
}

TEST(Playtest, SameSeedSameGame) {
    Arena arena;
    // A wanderer makes the game depend on the seed.
    arena.Archetype("wanderer.txt", "Position Vec2 size 11 11 end\n"
                                    "Body Shape Circle end float mass 1 float drag 0.1 int collisionLayers 25 end\n"
                                    "RandomTargetAI float force 900 Vec2 clampMin 600 100 Vec2 clampMax 1200 900 end\n"
                                    "Deadly end\n"
                                    "Killable end\n"
                                    "IDAnnouncer end\n");
    arena.Level("arena.lvl", "crosshair.txt end\n"
                             "lava.txt Position Vec2 position 900 300 end end\n"
                             "crystal.txt Position Vec2 position 800 512 end end\n"
                             "wanderer.txt Position Vec2 position 1000 512 end end\n"
                             "player.txt Position Vec2 position 200 512 end end\n");
    for (auto player : {LevelRun::Player::Idle, LevelRun::Player::Bot}) {
        const LevelRun first = Play(arena, player, 7);
        const LevelRun second = Play(arena, player, 7);
        ASSERT_TRUE(first.Started());
        EXPECT_EQ(first.endMs, second.endMs);
        EXPECT_EQ(first.won, second.won);
        EXPECT_EQ(first.deaths, second.deaths);
        EXPECT_EQ(first.firstReachMs, second.firstReachMs);
    }
    // The same figures in every build, the sanitizer build included: nothing
    // that decides a game depends on where the allocator puts objects.
    const LevelRun bot = Play(arena, LevelRun::Player::Bot, 7);
    EXPECT_TRUE(bot.won);
    EXPECT_EQ(bot.endMs, 4150u);
    EXPECT_EQ(bot.deaths, (std::map<Cause, int>{{Cause::Player, 2}}));
    const LevelRun idle = Play(arena, LevelRun::Player::Idle, 7);
    EXPECT_EQ(idle.deaths, (std::map<Cause, int>{{Cause::Hazard, 1}}));
}

TEST(Playtest, TheNoviceActsAQuarterSecondLateAndThrowsWithinFourDegrees) {
    Arena arena;
    // A counted mark that nothing can hit, due east of the player.
    arena.Archetype("mark.txt", "Position Vec2 size 13 13 end\n"
                                "Body Shape Circle end int collisionLayers 0 end\n"
                                "IDAnnouncer end\n");
    arena.Level("mark.lvl", "crosshair.txt end\n"
                            "mark.txt Position Vec2 position 700 512 end end\n"
                            "player.txt Position Vec2 position 200 512 end end\n");
    HeadlessGame game({arena.Root(), 3});
    std::uint32_t frame = 0;
    ASSERT_EQ(LevelStart::Open(game, arena.Root(), "mark.lvl", 60, frame).outcome, LevelStart::Outcome::Playing);
    GameObject* mark = scene::Opponents().at(0);
    Bot novice(game, Bot::Novice(3));
    const std::vector<Vec2> posts{{200.0f, 512.0f}};
    std::uint32_t now = 0;
    // Plays a frame; the direction of the last throw from the player, in
    // degrees (0 = east, 90 = south).
    const auto aim = [&] {
        novice.Fight(posts);
        const std::uint32_t step = FrameLength(frame++, 60);
        EXPECT_TRUE(game.Frame(step));
        now += step;
        const Vec2 d = gGameLogic->mousePosition - scene::Where(scene::Player());
        return std::atan2(d.y, d.x) * 180.0f / 3.14159265f;
    };
    float low = 90.0f;
    float high = -90.0f;
    while (now < 1000) {
        const float angle = aim();
        low = std::min(low, angle);
        high = std::max(high, angle);
    }
    EXPECT_GE(low, -4.2f);
    EXPECT_LE(high, 4.2f);
    EXPECT_GT(high - low, 2.0f);  // off by a different angle each time
    // The mark moves due south: the novice keeps throwing east for a
    // quarter second, then turns.
    for (Vec2* place : {&mark->Get<Position>()->position, &mark->Get<Body>()->position}) {
        *place = {200.0f, 900.0f};
    }
    const std::uint32_t moved = now;
    while (now < moved + 500) {
        const float angle = aim();
        if (now - moved <= 250) {
            EXPECT_LE(std::fabs(angle), 4.2f) << now - moved;
        } else if (now - moved >= 330) {
            EXPECT_LE(std::fabs(angle - 90.0f), 4.2f) << now - moved;
        }
    }
}

TEST(Playtest, ThePlayerHandlesAlikeAtEveryFrameRate) {
    for (unsigned hz : {30u, 60u, 144u}) {
        std::uint32_t second = 0;
        for (std::uint32_t frame = 0; frame < hz; ++frame) {
            const std::uint32_t length = FrameLength(frame, hz);
            EXPECT_TRUE(length == 1000 / hz || length == 1000 / hz + 1) << hz;
            second += length;
        }
        EXPECT_EQ(second, 1000u) << hz;
    }
    Arena arena;
    const Handling at60 = MeasureHandling(arena.Root(), "arena.lvl", 60);
    ASSERT_TRUE(at60.measured);
    EXPECT_NEAR(at60.topSpeed, 333.3f, 3.0f);
    for (unsigned hz : {30u, 144u}) {
        const Handling handling = MeasureHandling(arena.Root(), "arena.lvl", hz);
        EXPECT_NEAR(handling.topSpeed, at60.topSpeed, 0.02f * at60.topSpeed) << hz;
        EXPECT_NEAR(handling.coast, at60.coast, 0.1f * at60.coast) << hz;
    }
}

TEST(Playtest, ExitStatus) {
    Arena arena;
    arena.Level("menu.lvl", "");
    const std::string root = "'" + arena.Root() + "'";
    EXPECT_EQ(RunTool("--seeds 1 --limit 5 " + root + " arena.lvl"), 0);
    EXPECT_EQ(RunTool("--seeds 1 " + root + " missing.lvl"), 2);
    EXPECT_EQ(RunTool("--seeds 1 '" + arena.Root() + "nowhere/'"), 2);
    // A menu that links no level leaves nothing to play.
    EXPECT_EQ(RunTool("--seeds 1 " + root), 2);
    // A level without a player, named on its own, is no game.
    EXPECT_EQ(RunTool("--seeds 1 " + root + " gameend.lvl"), 1);
}

TEST(Playtest, ALevelThatCannotBePlayedGetsARowSayingWhyAndFailsTheRun) {
    Arena arena;
    // The player's archetype is gone: the level loads, but with no player.
    arena.Level("broken.lvl", "crystal.txt end hero.txt Position Vec2 position 200 512 end end\n");
    arena.Level("page.lvl", "text.txt end\n");
    arena.Level("menu.lvl", "crosshair.txt end\n"
                            "text.txt Clickable Message SwitchLevel string level arena.lvl end end end\n"
                            "text.txt Clickable Message SwitchLevel string level page.lvl end end end\n"
                            "text.txt Clickable Message SwitchLevel string level broken.lvl end end end\n"
                            "text.txt Clickable Message SwitchLevel string level gone.lvl end end end\n");
    const std::string command =
        std::string("'") + VELMOR_PLAYTEST_BINARY + "' --seeds 1 --limit 2 '" + arena.Root() + "' 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string table;
    std::array<char, 512> chunk{};
    while (std::fgets(chunk.data(), chunk.size(), pipe) != nullptr) {
        table += chunk.data();
    }
    const int status = pclose(pipe);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1);
    EXPECT_NE(table.find("| arena.lvl | 1 |"), std::string::npos) << table;
    EXPECT_NE(table.find("| broken.lvl | could not start: missing archetype hero.txt |"), std::string::npos) << table;
    EXPECT_NE(table.find("| gone.lvl | could not start: cannot read Data/Levels/gone.lvl |"), std::string::npos)
        << table;
    // A page without a player is no level to play, and no failure.
    EXPECT_EQ(table.find("page.lvl"), std::string::npos) << table;
}
