// The shipped menu: every button, Esc, the help overlay.
#include <gtest/gtest.h>

#include "components/Cursor.h"
#include "core/Core.h"
#include "core/WinTypes.h"
#include "game/GameLogic.h"
#include "harness/Scene.h"
#include "objects/GameObject.h"

using scene::ButtonTo;
using scene::ClickButton;

namespace {
using Names = std::vector<std::string>;

class Menu : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(game.Start());
        ASSERT_TRUE(game.Frame(10));
    }
    HeadlessGame game;
};
}  // namespace

TEST_F(Menu, StartsOnTheMenuWithAButtonPerLevelHelpAndQuitAndAPointer) {
    EXPECT_EQ(game.LevelNames(), Names{"menu.lvl"});
    for (const char* file : {"level1.lvl", "level2.lvl", "level3.lvl", "help.lvl", ""}) {
        EXPECT_NE(ButtonTo(file), nullptr) << "button to " << file;
    }
    ASSERT_NE(gGameLogic->cursor, nullptr);
    EXPECT_EQ(gGameLogic->cursor->typeName, "Cursor");
    game.MoveMouse(700, 300);
    ASSERT_TRUE(game.Frame(10));
    EXPECT_EQ(scene::Where(gGameLogic->cursor->owner), (Vec2{700, 300}));
    EXPECT_FALSE(gGameLogic->inPlay);
}

TEST_F(Menu, EachLevelButtonSwitchesInTheSameFrameAndTimeResumesAfterTwoZeroFrames) {
    for (const char* file : {"level1.lvl", "level2.lvl", "level3.lvl"}) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(ClickButton(game, file));
        // At the end of the click's frame the menu and all its objects are gone.
        EXPECT_EQ(game.LevelNames(), Names{file});
        EXPECT_EQ(scene::Count("Clickable"), 0);
        EXPECT_EQ(scene::Count("Cursor"), 0);
        EXPECT_EQ(gGameLogic->cursor->typeName, "MouseTargeting");
        ASSERT_NE(scene::Player(), nullptr);
        EXPECT_TRUE(gGameLogic->inPlay);
        EXPECT_FALSE(gCore->paused);
        ASSERT_TRUE(game.Frame(10));
        EXPECT_EQ(gCore->lastDt, 0.0f);
        ASSERT_TRUE(game.Frame(10));
        EXPECT_EQ(gCore->lastDt, 0.0f);
        ASSERT_TRUE(game.Frame(10));
        EXPECT_FLOAT_EQ(gCore->lastDt, 0.01f);
        // Esc brings back exactly one menu, and nothing of the level counts
        // as a loss or a win on its way out.
        game.PressKey(win::VK_ESCAPE);
        ASSERT_TRUE(game.Frame(10));
        EXPECT_EQ(game.LevelNames(), Names{"menu.lvl"});
        EXPECT_EQ(scene::Player(), nullptr);
        EXPECT_TRUE(scene::Opponents().empty());
        EXPECT_EQ(gGameLogic->nonPlayerCount, 0);
        EXPECT_EQ(scene::EndScreen(), "");
        EXPECT_EQ(gGameLogic->cursor->typeName, "Cursor");
    }
}

TEST_F(Menu, HelpOpensOnTopOfTheLiveMenuAndClosesWithAClick) {
    ASSERT_TRUE(ClickButton(game, "help.lvl"));
    EXPECT_EQ(game.LevelNames(), (Names{"help.lvl", "menu.lvl"}));
    // The panel does not cover the buttons: they still work beneath it.
    GameObject* panel = ButtonTo("menu.lvl");
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(ClickButton(game, "menu.lvl"));
    EXPECT_EQ(game.LevelNames(), Names{"menu.lvl"});
    EXPECT_EQ(ButtonTo("menu.lvl"), nullptr);
    // Opened again, Esc also closes it to a single menu.
    ASSERT_TRUE(ClickButton(game, "help.lvl"));
    game.PressKey(win::VK_ESCAPE);
    ASSERT_TRUE(game.Frame(10));
    EXPECT_EQ(game.LevelNames(), Names{"menu.lvl"});
    ASSERT_TRUE(ClickButton(game, "level2.lvl"));
    EXPECT_EQ(game.LevelNames(), Names{"level2.lvl"});
}

TEST_F(Menu, QuitButtonEndsTheLoopAfterThatFrame) {
    EXPECT_FALSE(ClickButton(game, ""));
    EXPECT_FALSE(gCore->running);
}

TEST_F(Menu, EscOnTheMenuEndsTheLoop) {
    game.PressKey(win::VK_ESCAPE);
    EXPECT_FALSE(game.Frame(10));
}

TEST_F(Menu, ClicksBesideTheButtonsOrWithTheRightButtonDoNothing) {
    GameObject* button = ButtonTo("level1.lvl");
    ASSERT_NE(button, nullptr);
    const Vec2 centre = scene::Where(button);
    scene::ClickAt(game, centre, false);
    ASSERT_TRUE(game.Frame(10));
    // Just outside the button's right edge (half width 200).
    scene::ClickAt(game, {centre.x + 201, centre.y});
    ASSERT_TRUE(game.Frame(10));
    EXPECT_EQ(game.LevelNames(), Names{"menu.lvl"});
}
