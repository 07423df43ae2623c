#include <gtest/gtest.h>

#include "GameplayData.h"
#include "components/Clickable.h"
#include "components/Cursor.h"
#include "core/Messages.h"
#include "game/GameLogic.h"
#include "game/Level.h"
#include "graphics/Sprite.h"
#include "harness/GameScene.h"
#include "physics/Position.h"

namespace {

// A 100 x 40 button centred on (200, 200) whose command loads "a.lvl";
// every broadcast of it therefore pushes one more level.
std::string Button(const std::string& clickable) {
    return "Position Vec2 position 200 200 Vec2 size 50 20 end Body Shape Rect end end "
           "Clickable Message LoadLevel string level a.lvl end " +
           clickable + " end";
}

class Clicking : public testing::Test {
protected:
    void SetUp() override {
        scene.data.Archetype("button.txt", Button(""));
        scene.data.Archetype("onrelease.txt", Button("bool pressed false"));
        scene.data.Archetype("right.txt", Button("bool left false"));
        scene.data.Archetype("twice.txt", Button("Message LoadLevel string level b.lvl end"));
        scene.data.Archetype("bogus.txt", Button("Message Bogus"));
        scene.data.Archetype("nobody.txt", "Position Vec2 position 200 200 end "
                                           "Clickable Message LoadLevel string level a.lvl end end");
        scene.data.Archetype("noshape.txt", "Position Vec2 position 200 200 Vec2 size 50 20 end Body end "
                                            "Clickable Message LoadLevel string level a.lvl end end");
    }

    // Levels the clicks have pushed so far.
    std::size_t Fired() const { return scene.game->LevelNames().size() - 1; }

    void MoveAndFrame(int x, int y) {
        scene.game->MoveMouse(x, y);
        scene.Frame();
    }
    // Moves there, then clicks the left button in the next frame.
    void LeftClickAt(int x, int y) {
        MoveAndFrame(x, y);
        scene.game->LeftClick();
        scene.Frame();
    }

    GameScene scene{GameplayData};
};

TEST_F(Clicking, ByDefaultALeftPressInsideFiresAndEachClickFiresAgain) {
    ASSERT_TRUE(scene.Start("button.txt end"));
    LeftClickAt(210, 205);
    EXPECT_EQ(Fired(), 1U);
    EXPECT_EQ(scene.game->LevelNames().front(), "a.lvl");
    scene.game->LeftClick();
    scene.Frame();
    EXPECT_EQ(Fired(), 2U);
}

TEST_F(Clicking, AButtonShowsItsHoverImageOnlyWhileThePointerIsOverIt) {
    scene.data.SolidImage("face.png", 2, 2, 0xFF0000FFU);
    scene.data.SolidImage("lit.png", 2, 2, 0x00FF00FFU);
    const std::string face = "Sprite string name face.png end ";
    scene.data.Archetype("lit.txt", Button("string hover lit.png") + " " + face);
    scene.data.Archetype("plain.txt", Button("") + " " + face);
    ASSERT_TRUE(scene.Start("lit.txt end plain.txt Position Vec2 position 200 400 end end"));
    const std::vector<GameObject*> buttons = scene.All("Clickable");
    ASSERT_EQ(buttons.size(), 2U);
    const auto shown = [](GameObject* button) { return button->Get<Sprite>()->texture; };
    Texture* faceTexture = shown(buttons[0]);
    ASSERT_NE(faceTexture, nullptr);
    MoveAndFrame(210, 205);
    Texture* litTexture = shown(buttons[0]);
    EXPECT_NE(litTexture, nullptr);
    EXPECT_NE(litTexture, faceTexture);
    EXPECT_EQ(buttons[0]->Get<Sprite>()->name, "face.png");  // the sprite keeps its own image
    MoveAndFrame(210, 405);                                  // off it, and over the button without a hover image
    EXPECT_EQ(shown(buttons[0]), faceTexture);
    EXPECT_EQ(shown(buttons[1]), faceTexture);
    // Only the button that changes takes part in the level's updates.
    EXPECT_EQ(gGameLogic->levels.head->updateList.count, 1);
    // Both still click, also once the lit one is gone: being updated takes
    // nothing from the button's place among the mouse listeners.
    MoveAndFrame(200, 200);
    scene.game->LeftClick();
    scene.Frame();
    buttons[0]->Destroy();
    MoveAndFrame(200, 400);
    scene.game->LeftClick();
    scene.Frame();
    EXPECT_EQ(Fired(), 2U);
}

TEST_F(Clicking, RightPressesAndLeftReleasesDoNotFireADefaultButton) {
    ASSERT_TRUE(scene.Start("button.txt end"));
    MoveAndFrame(200, 200);
    scene.game->RightClick();
    scene.game->platform.LeftUp();
    scene.Frame();
    EXPECT_EQ(Fired(), 0U);
}

TEST_F(Clicking, ARightButtonFiresOnItsOwnButton) {
    ASSERT_TRUE(scene.Start("right.txt end"));
    LeftClickAt(200, 200);
    EXPECT_EQ(Fired(), 0U);
    scene.game->RightClick();
    scene.Frame();
    EXPECT_EQ(Fired(), 1U);
}

TEST_F(Clicking, AReleaseButtonFiresWhenReleasedOverItEvenIfPressedElsewhere) {
    ASSERT_TRUE(scene.Start("onrelease.txt end"));
    MoveAndFrame(600, 600);
    scene.game->platform.LeftDown();
    scene.Frame();
    EXPECT_EQ(Fired(), 0U);
    scene.game->MoveMouse(200, 200);
    scene.game->platform.LeftUp();
    scene.Frame();
    EXPECT_EQ(Fired(), 1U);
}

TEST_F(Clicking, TheEdgeOfTheRectangleIsOutside) {
    ASSERT_TRUE(scene.Start("button.txt end"));
    for (auto [x, y] : {std::pair{250, 200}, {150, 200}, {200, 220}, {200, 180}, {300, 300}}) {
        LeftClickAt(x, y);
        EXPECT_EQ(Fired(), 0U) << x << "," << y;
    }
    LeftClickAt(249, 219);
    EXPECT_EQ(Fired(), 1U);
}

TEST_F(Clicking, TheHitTestUsesTheLastMouseMoveNotTheMessagesPosition) {
    ASSERT_TRUE(scene.Start("button.txt end"));
    MoveAndFrame(200, 200);
    auto* clickable = Part<Clickable>(scene.First("Clickable"), "Clickable");
    MouseButtonMessage far(true, true, Vec2{900.0f, 900.0f});
    clickable->SendMessage(&far);
    EXPECT_EQ(Fired(), 1U);
}

TEST_F(Clicking, ALaterMessageKeyReplacesTheEarlierOne) {
    ASSERT_TRUE(scene.Start("twice.txt end"));
    LeftClickAt(200, 200);
    ASSERT_EQ(Fired(), 1U);
    EXPECT_EQ(scene.game->LevelNames().front(), "b.lvl");
}

TEST_F(Clicking, ALevelOverrideReplacesTheArchetypesMessage) {
    ASSERT_TRUE(scene.Start("button.txt Clickable Message SwitchLevel string level c.lvl end end end"));
    LeftClickAt(200, 200);
    EXPECT_EQ(scene.game->LevelNames(), std::vector<std::string>{"c.lvl"});
}

TEST_F(Clicking, AnUnknownCommandLeavesNoMessageAndClicksAreIgnored) {
    ASSERT_TRUE(scene.Start("bogus.txt end"));
    EXPECT_EQ(Part<Clickable>(scene.First("Clickable"), "Clickable")->message, nullptr);
    LeftClickAt(200, 200);
    EXPECT_EQ(Fired(), 0U);
}

TEST_F(Clicking, WithoutABodyOrShapeThereIsNothingToClick) {
    ASSERT_TRUE(scene.Start("nobody.txt end noshape.txt end"));
    LeftClickAt(200, 200);
    EXPECT_EQ(Fired(), 0U);
    EXPECT_EQ(gGameLogic->levels.head->mouseListeners.count, 2);
}

TEST_F(Clicking, AQuitButtonEndsTheLoopAfterTheFrame) {
    scene.data.Archetype("quit.txt", "Position Vec2 position 200 200 Vec2 size 50 20 end Body Shape Rect end end "
                                     "Clickable Message Quit end end");
    ASSERT_TRUE(scene.Start("quit.txt end"));
    MoveAndFrame(200, 200);
    scene.game->LeftClick();
    EXPECT_FALSE(scene.Frame());
    EXPECT_EQ(scene.game->platform.Log().presents, 2U);
}

class Cursors : public testing::Test {
protected:
    void SetUp() override {
        scene.data.Archetype("arrow.txt", "Position Vec2 size 4 4 end Cursor end");
        scene.data.Archetype("bare.txt", "Cursor end");
    }
    GameScene scene{GameplayData};
};

TEST_F(Cursors, TheLatestCursorWinsAndTheOldOneLeavesWithItsObject) {
    ASSERT_TRUE(scene.Start("arrow.txt end arrow.txt end"));
    const auto cursors = scene.All("Cursor");
    ASSERT_EQ(cursors.size(), 2U);
    EXPECT_EQ(gGameLogic->cursor->owner, cursors[1]);
    EXPECT_TRUE(scene.Pending(cursors[0]));
    scene.game->MoveMouse(300, 400);
    scene.Frame();
    ASSERT_EQ(scene.Count("Cursor"), 1U);
    EXPECT_EQ(scene.Count("Position"), 1U);
    EXPECT_EQ(Part<Position>(cursors[1], "Position")->position, Vec2(300.0f, 400.0f));

    cursors[1]->Destroy();
    scene.Frame();
    EXPECT_EQ(gGameLogic->cursor, nullptr);
    // Mouse messages still reach the levels without a cursor.
    scene.game->MoveMouse(10, 10);
    scene.game->LeftClick();
    EXPECT_TRUE(scene.Frame());
    EXPECT_EQ(gGameLogic->mousePosition, Vec2(10.0f, 10.0f));
}

TEST_F(Cursors, ACursorWithoutPositionFollowsNothingAndBreaksNothing) {
    ASSERT_TRUE(scene.Start("bare.txt end"));
    ASSERT_NE(gGameLogic->cursor, nullptr);
    EXPECT_EQ(gGameLogic->cursor->transform, nullptr);
    scene.game->MoveMouse(30, 40);
    scene.game->LeftClick();
    EXPECT_TRUE(scene.Frame());
}

}  // namespace
