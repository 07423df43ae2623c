// Game over, win, and L on the end screens, with the shipped levels.
#include <gtest/gtest.h>

#include "components/Cursor.h"
#include "core/Core.h"
#include "core/WinTypes.h"
#include "game/GameLogic.h"
#include "harness/Scene.h"
#include "objects/GameObject.h"

namespace {
using Names = std::vector<std::string>;
constexpr int kKeyL = 'L';

class Flow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scene::StartLevel(game, "level1.lvl")); }
    HeadlessGame game;
};
}  // namespace

TEST_F(Flow, LosingThePlayerShowsGameOverOverTheFrozenLevel) {
    GameObject* player = scene::Player();
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(gGameLogic->playerId, player->id);
    const auto opponents = scene::Opponents().size();
    EXPECT_EQ(gGameLogic->nonPlayerCount, static_cast<int>(opponents));
    player->Destroy();
    ASSERT_TRUE(game.Frame(10));
    EXPECT_EQ(scene::EndScreen(), "gameover.png");
    EXPECT_EQ(game.LevelNames(), (Names{"level1.lvl", "gameend.lvl"}));
    EXPECT_FALSE(gGameLogic->inPlay);
    EXPECT_TRUE(gCore->paused);
    // Frozen: the opponents stay where they are.
    const Vec2 before = scene::Where(scene::Opponents().back());
    ASSERT_TRUE(game.Frames(20, 10));
    EXPECT_EQ(scene::Where(scene::Opponents().back()), before);
    EXPECT_EQ(scene::Opponents().size(), opponents);
    // The end level gives a pointer that aims, so play can go on after L.
    EXPECT_EQ(gGameLogic->cursor->typeName, "MouseTargeting");
}

TEST_F(Flow, RemovingTheLastOpponentWinsButOnlyWhileInPlay) {
    auto opponents = scene::Opponents();
    ASSERT_GE(opponents.size(), 2u);
    opponents.front()->Destroy();
    ASSERT_TRUE(game.Frame(10));
    EXPECT_EQ(scene::EndScreen(), "");
    for (GameObject* opponent : scene::Opponents()) {
        opponent->Destroy();
    }
    ASSERT_TRUE(game.Frame(10));
    EXPECT_EQ(scene::EndScreen(), "youwin.png");
    EXPECT_FALSE(gGameLogic->inPlay);
    EXPECT_EQ(gGameLogic->nonPlayerCount, 0);
}

TEST_F(Flow, PlayerAndLastOpponentDyingInOneFrameIsAWinTheLevelListsThePlayerLast) {
    // Deletions run in creation order, so the one created first is announced
    // first and decides; the shipped levels list the player last.
    auto opponents = scene::Opponents();
    GameObject* last = opponents.back();
    opponents.pop_back();
    for (GameObject* opponent : opponents) {
        opponent->Destroy();
    }
    ASSERT_TRUE(game.Frame(10));
    GameObject* player = scene::Player();
    ASSERT_LT(last->id, player->id);
    player->Destroy();
    last->Destroy();
    ASSERT_TRUE(game.Frame(10));
    EXPECT_EQ(scene::EndScreen(), "youwin.png");
}

TEST_F(Flow, OpponentsRemovedAfterGameOverGiveNoWin) {
    scene::Player()->Destroy();
    ASSERT_TRUE(game.Frame(10));
    ASSERT_EQ(scene::EndScreen(), "gameover.png");
    for (GameObject* opponent : scene::Opponents()) {
        opponent->Destroy();
    }
    ASSERT_TRUE(game.Frame(10));
    EXPECT_EQ(scene::Showing("youwin.png").size(), 0u);
    EXPECT_EQ(game.LevelNames(), (Names{"level1.lvl", "gameend.lvl"}));
}

TEST_F(Flow, LOnTheEndScreenReloadsEveryLevelAndPlayResumes) {
    const auto fresh = scene::Opponents().size();
    ASSERT_TRUE(game.Frames(100, 10));
    const auto crystals = scene::Showing("target.png").size();
    const int oldPlayer = scene::Player()->id;
    scene::Player()->Destroy();
    ASSERT_TRUE(game.Frame(10));
    ASSERT_EQ(scene::EndScreen(), "gameover.png");
    game.PressKey(kKeyL);
    ASSERT_TRUE(game.Frame(10));
    // Same levels, fresh objects; the code-made end text does not come back.
    EXPECT_EQ(game.LevelNames(), (Names{"level1.lvl", "gameend.lvl"}));
    EXPECT_EQ(scene::EndScreen(), "");
    ASSERT_NE(scene::Player(), nullptr);
    EXPECT_NE(scene::Player()->id, oldPlayer);
    EXPECT_EQ(gGameLogic->playerId, scene::Player()->id);
    EXPECT_TRUE(gGameLogic->inPlay);
    // Everything comes back as the data has it, whatever the old objects
    // stood on in their last frame.
    EXPECT_EQ(scene::Showing("target.png").size(), crystals);
    EXPECT_EQ(scene::Opponents().size(), fresh);
    EXPECT_EQ(gGameLogic->nonPlayerCount, static_cast<int>(scene::Opponents().size()));
    EXPECT_FALSE(gCore->paused);
    EXPECT_EQ(gCore->zeroTimeFrames, 2);
    // One aiming cursor, and the darkening overlay is gone shortly after.
    EXPECT_EQ(scene::Count("MouseTargeting"), 1);
    EXPECT_EQ(gGameLogic->cursor->typeName, "MouseTargeting");
    EXPECT_EQ(scene::Showing("shade.png").size(), 1u);
    ASSERT_TRUE(game.Frames(2 + 45, 10));
    EXPECT_TRUE(scene::Showing("shade.png").empty());
    // And the replay can be lost again, with a second end level.
    scene::Player()->Destroy();
    ASSERT_TRUE(game.Frame(10));
    EXPECT_EQ(scene::EndScreen(), "gameover.png");
    EXPECT_EQ(game.LevelNames(), (Names{"level1.lvl", "gameend.lvl", "gameend.lvl"}));
}

TEST_F(Flow, EscFromTheEndScreenGoesBackToOneMenu) {
    for (GameObject* opponent : scene::Opponents()) {
        opponent->Destroy();
    }
    ASSERT_TRUE(game.Frame(10));
    ASSERT_EQ(scene::EndScreen(), "youwin.png");
    game.PressKey(win::VK_ESCAPE);
    ASSERT_TRUE(game.Frame(10));
    EXPECT_EQ(game.LevelNames(), Names{"menu.lvl"});
    EXPECT_EQ(scene::EndScreen(), "");
    EXPECT_EQ(scene::Player(), nullptr);
    EXPECT_EQ(gGameLogic->cursor->typeName, "Cursor");
    // The pause of the end screen is lifted by the next level switch.
    ASSERT_TRUE(scene::ClickButton(game, "level3.lvl"));
    ASSERT_TRUE(game.Frames(3, 10));
    EXPECT_FLOAT_EQ(gCore->lastDt, 0.01f);
}
