// The player's controls and the hazards of the shipped game: moving,
// throwing, holes, killing, and being killed by a chaser or by spit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "ai/RandomTargetAI.h"
#include "ai/SpittingAI.h"
#include "components/MouseTargeting.h"
#include "core/Core.h"
#include "core/WinTypes.h"
#include "game/GameLogic.h"
#include "game/Level.h"
#include "harness/Scene.h"
#include "harness/TempData.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "physics/Position.h"

namespace fs = std::filesystem;

namespace {
constexpr int kKeyW = 'W';

// The shipped archetypes and images with a level of the test's own.
void ShippedWithLevel(TempData& data, const std::string& level) {
    for (const char* dir : {"Data/Archetypes", "Data/Images"}) {
        fs::create_directories(data.Root() + dir);
        fs::copy(SourceRoot() + dir, data.Root() + dir,
                 fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    }
    data.Level("menu.lvl", "button.txt Position Vec2 position 640 512 end "
                           "Clickable Message SwitchLevel string level arena.lvl end end end");
    data.Level("gameend.lvl", "shade.txt end crosshair.txt end");
    data.Level("arena.lvl", level);
}

GameObject* Nearest(const std::vector<GameObject*>& objects, Vec2 to) {
    GameObject* best = nullptr;
    for (GameObject* object : objects) {
        if (best == nullptr || scene::Distance(scene::Where(object), to) < scene::Distance(scene::Where(best), to)) {
            best = object;
        }
    }
    return best;
}

class Meadow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scene::StartLevel(game, "level1.lvl")); }
    HeadlessGame game;
};
}  // namespace

TEST_F(Meadow, HeldKeysMoveThePlayerAtAPlayableSpeedAndItComesToRest) {
    GameObject* player = scene::Player();
    const Vec2 start = scene::Where(player);
    game.HoldKey(win::VK_RIGHT);
    ASSERT_TRUE(game.Frames(50, 10));
    const Vec2 moved = scene::Where(player);
    EXPECT_GT(moved.x - start.x, 50.0f);
    EXPECT_NEAR(moved.y, start.y, 0.5f);
    // Neither a crawl nor a blur at 100 frames a second.
    const float speed = scene::Velocity(player).x;
    EXPECT_GT(speed, 120.0f);
    EXPECT_LT(speed, 450.0f);
    game.HoldKey(win::VK_RIGHT, false);
    ASSERT_TRUE(game.Frames(100, 10));
    EXPECT_LT(std::fabs(scene::Velocity(player).x), 3.0f);
    // The letter keys work as well.
    game.HoldKey(kKeyW);
    ASSERT_TRUE(game.Frames(30, 10));
    EXPECT_LT(scene::Where(player).y, start.y - 30.0f);
}

TEST_F(Meadow, ASnowballThrownAtACrystalDestroysIt) {
    // Ready after its reload time.
    ASSERT_TRUE(game.Frames(70, 10));
    auto* aim = static_cast<MouseTargeting*>(gGameLogic->cursor);
    ASSERT_LT(aim->snowballReload, 0.0f);
    const auto crystals = scene::Showing("target.png");
    ASSERT_EQ(crystals.size(), 3u);
    GameObject* crystal = Nearest(crystals, {950, 280});
    const int opponentsBefore = gGameLogic->nonPlayerCount;
    scene::AimAndThrow(game, scene::Where(crystal), true);
    ASSERT_EQ(scene::Count("Snowball") - static_cast<int>(scene::Showing("spit.png").size()), 1);
    EXPECT_GT(aim->snowballReload, 0.5f);
    const int id = crystal->id;
    ASSERT_TRUE(scene::RunUntil(game, 200, [&] { return gFactory->GetObjectById(id) == nullptr; }));
    EXPECT_EQ(gGameLogic->nonPlayerCount, opponentsBefore - 1);
    EXPECT_TRUE(scene::Showing("snowball.png").empty());
}

TEST_F(Meadow, AFireballLeavesAHoleThatKillsShrinksAndVanishes) {
    ASSERT_TRUE(game.Frames(260, 10));
    GameObject* crystal = Nearest(scene::Showing("target.png"), {1050, 560});
    const Vec2 at = scene::Where(crystal);
    const int id = crystal->id;
    scene::AimAndThrow(game, at, false);
    ASSERT_EQ(scene::Count("Fireball"), 1);
    ASSERT_TRUE(scene::RunUntil(game, 400, [] { return scene::Count("Hole") > 0 && scene::Count("Fireball") == 0; }));
    GameObject* hole = scene::Showing("hole.png").at(0);
    EXPECT_LT(scene::Distance(scene::Where(hole), at), 60.0f);
    const float fullSize = hole->Get<Position>()->size.x;
    // The crystal falls into it.
    ASSERT_TRUE(game.Frame(10));
    EXPECT_EQ(gFactory->GetObjectById(id), nullptr);
    const int holeId = hole->id;
    ASSERT_TRUE(game.Frames(100, 10));
    const float later = hole->Get<Position>()->size.x;
    EXPECT_LT(later, fullSize * 0.8f);
    EXPECT_GT(later, fullSize * 0.6f);
    ASSERT_TRUE(scene::RunUntil(game, 400, [&] { return gFactory->GetObjectById(holeId) == nullptr; }));
}

TEST_F(Meadow, NothingIsThrownBeforeTheReloadNorWithoutAPlayer) {
    scene::ClickAt(game, {900, 500});
    scene::ClickAt(game, {900, 500}, false);
    ASSERT_TRUE(game.Frame(10));
    EXPECT_EQ(scene::Count("Snowball") + scene::Count("Fireball"), 0);
    ASSERT_TRUE(game.Frames(300, 10));
    scene::Player()->Destroy();
    ASSERT_TRUE(game.Frame(10));
    scene::ClickAt(game, {900, 500});
    ASSERT_TRUE(game.Frame(10));
    EXPECT_EQ(scene::Count("Snowball") + scene::Count("Fireball"), 0);
}

TEST(Hazards, AChaserReachesThePlayerAndKillsIt) {
    TempData data;
    ShippedWithLevel(data, "player.txt Position Vec2 position 300 512 end end "
                           "chaser.txt Position Vec2 position 900 500 end end crosshair.txt end");
    HeadlessGame game({data.Root(), 7});
    ASSERT_TRUE(scene::StartLevel(game, "arena.lvl"));
    GameObject* chaser = scene::Showing("chaser.png").at(0);
    float gap = 0.0f;
    float reach = scene::Radius(chaser) + scene::Radius(scene::Player());
    const bool dead = scene::RunUntil(game, 3000, [&] {
        if (scene::Player() == nullptr) {
            return true;
        }
        gap = scene::Distance(scene::Where(chaser), scene::Where(scene::Player()));
        return false;
    });
    ASSERT_TRUE(dead);
    // It was touching when the player died: within a frame's travel.
    EXPECT_LT(gap, reach + 5.0f);
    EXPECT_EQ(scene::EndScreen(), "gameover.png");
    EXPECT_EQ(scene::Showing("chaser.png").size(), 1u);
}

TEST(Hazards, ASpittersProjectileKillsThePlayer) {
    TempData data;
    ShippedWithLevel(data, "player.txt Position Vec2 position 300 512 end end "
                           "spitter.txt Position Vec2 position 900 512 end end crosshair.txt end");
    HeadlessGame game({data.Root(), 3});
    ASSERT_TRUE(scene::StartLevel(game, "arena.lvl"));
    auto* spitter = scene::Showing("spitter.png").at(0)->Get<SpittingAI>();
    float nearestSpit = 1e9f;
    int spat = 0;
    const bool dead = scene::RunUntil(game, 6000, [&] {
        if (scene::Player() == nullptr) {
            return true;
        }
        // Every wait between spits is within the configured maximum.
        EXPECT_LE(spitter->delay, spitter->maxDelay);
        nearestSpit = 1e9f;
        const auto spit = scene::Showing("spit.png");
        spat = std::max(spat, static_cast<int>(spit.size()));
        for (GameObject* glob : spit) {
            nearestSpit = std::min(nearestSpit, scene::Distance(scene::Where(glob), scene::Where(scene::Player())));
        }
        return false;
    });
    ASSERT_TRUE(dead) << spat << " spit at most, player at " << scene::Where(scene::Player()).x << ","
                      << scene::Where(scene::Player()).y;
    EXPECT_GT(spat, 0);
    // Killed by spit touching it (radii 22 and 9, plus a frame of flight).
    EXPECT_LT(nearestSpit, 22.0f + 9.0f + 5.0f);
    EXPECT_EQ(scene::EndScreen(), "gameover.png");
    // The spitter does not move and is still there.
    EXPECT_EQ(scene::Where(scene::Showing("spitter.png").at(0)), (Vec2{900, 512}));
}

TEST(Hazards, WallsStopShotsAndSpitButShotsFlyOverWaterLavaAndHoles) {
    TempData data;
    ShippedWithLevel(data, "player.txt Position Vec2 position 200 300 end end "
                           "wall.txt Position Vec2 position 500 300 Vec2 size 16 80 end end "
                           "crystal.txt Position Vec2 position 800 300 end end "
                           "water.txt Position Vec2 position 400 700 Vec2 size 60 60 end end "
                           "lava.txt Position Vec2 position 550 700 Vec2 size 60 60 end end "
                           "crystal.txt Position Vec2 position 800 700 end end "
                           "crosshair.txt end");
    HeadlessGame game({data.Root(), 1});
    ASSERT_TRUE(scene::StartLevel(game, "arena.lvl"));
    ASSERT_TRUE(game.Frames(70, 10));
    const int behindWall = Nearest(scene::Showing("target.png"), {800, 300})->id;
    ASSERT_TRUE(scene::AimAndThrow(game, {800, 300}, true));
    ASSERT_EQ(scene::Showing("snowball.png").size(), 1u);
    ASSERT_TRUE(scene::RunUntil(game, 200, [] { return scene::Showing("snowball.png").empty(); }));
    ASSERT_TRUE(game.Frames(10, 10));
    EXPECT_NE(gFactory->GetObjectById(behindWall), nullptr);
    // Along the lower row the shot crosses water and lava and still hits.
    GameObject* player = scene::Player();
    player->Get<Body>()->position = {200, 700};
    ASSERT_TRUE(game.Frames(70, 10));
    const int open = Nearest(scene::Showing("target.png"), {800, 700})->id;
    ASSERT_TRUE(scene::AimAndThrow(game, {800, 700}, true));
    ASSERT_TRUE(scene::RunUntil(game, 200, [&] { return gFactory->GetObjectById(open) == nullptr; }));
    EXPECT_NE(scene::Player(), nullptr);
}

TEST(Hazards, WaterSlowsTheSwimmingPlayerAndDrawsTheWanderers) {
    TempData data;
    ShippedWithLevel(data, "water.txt Position Vec2 position 640 512 Vec2 size 200 200 end end "
                           "player.txt Position Vec2 position 300 512 end end "
                           "wanderer.txt Position Vec2 position 640 150 end "
                           "RandomTargetAI Vec2 clampMin 500 100 Vec2 clampMax 1200 200 end end "
                           "crosshair.txt end");
    HeadlessGame game({data.Root(), 5});
    ASSERT_TRUE(scene::StartLevel(game, "arena.lvl"));
    GameObject* player = scene::Player();
    game.HoldKey(win::VK_RIGHT);
    ASSERT_TRUE(game.Frames(40, 10));
    const float dryspeed = scene::Velocity(player).x;
    ASSERT_TRUE(scene::RunUntil(game, 300, [&] { return scene::Where(player).x > 480.0f; }));
    ASSERT_TRUE(game.Frames(20, 10));
    EXPECT_LT(scene::Velocity(player).x, dryspeed * 0.25f);
    // The wanderer heads for the swimmer; its random targets stay near its
    // clamp rectangle.
    GameObject* wanderer = scene::Showing("wanderer.png").at(0);
    const Vec2 target = wanderer->Get<RandomTargetAI>()->target;
    EXPECT_TRUE(target.x > -500.0f && target.x < 1800.0f && target.y > -500.0f && target.y < 1500.0f)
        << target.x << "," << target.y;
    const float before = scene::Distance(scene::Where(wanderer), scene::Where(player));
    ASSERT_TRUE(game.Frames(60, 10));
    EXPECT_LT(scene::Distance(scene::Where(wanderer), scene::Where(player)), before - 30.0f);
}

TEST(Hazards, LongFramesCarryNothingThroughAThinWall) {
    TempData data;
    ShippedWithLevel(data, "wall.txt Position Vec2 position 600 512 Vec2 size 16 400 end end "
                           "player.txt Position Vec2 position 500 512 end end crosshair.txt end");
    HeadlessGame game({data.Root(), 1});
    ASSERT_TRUE(scene::StartLevel(game, "arena.lvl"));
    GameObject* player = scene::Player();
    // A stall of ten seconds advances the game by one longest step.
    game.HoldKey(win::VK_RIGHT);
    ASSERT_TRUE(game.Frame(10'000));
    const float moved = scene::Where(player).x - 500.0f;
    EXPECT_GT(moved, 0.0f);
    EXPECT_LT(moved, 333.4f * Core::kMaxStep);
    // Held against the wall through many stalls, it stays on its side.
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(game.Frame(10'000));
        ASSERT_LT(scene::Where(player).x, 600.0f - 16.0f) << i;
    }
    // The fastest thing in the game, a snowball thrown by a player running
    // diagonally (800 + 333 x 1.414 units a second), hits the wall at every
    // phase of the step instead of passing it between two steps.
    Level* level = gGameLogic->levels.head;
    for (int phase = 0; phase < 24; ++phase) {
        GameObject* ball = gFactory->CreateObject("snowball.txt");
        ASSERT_NE(ball, nullptr);
        Factory::PlaceInLevel(*ball, *level);
        Body* body = ball->Get<Body>();
        body->position = {720.0f + 2.0f * static_cast<float>(phase), 300.0f};
        ball->Get<Position>()->position = body->position;
        body->velocity = {-1272.0f, 0.0f};
        const std::int32_t id = ball->id;
        for (int frame = 0; frame < 10 && gFactory->GetObjectById(id) != nullptr; ++frame) {
            // Where it is seen and tested: never wholly past the wall.
            ASSERT_GT(ball->Get<Position>()->position.x, 600.0f - 16.0f - 8.0f) << phase << " " << frame;
            ASSERT_TRUE(game.Frame(10'000));
        }
        EXPECT_EQ(gFactory->GetObjectById(id), nullptr) << phase;
    }
}
