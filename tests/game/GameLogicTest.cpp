#include <gtest/gtest.h>

#include "components/Cursor.h"
#include "components/Hazards.h"
#include "components/ProgressText.h"
#include "core/Core.h"
#include "core/Messages.h"
#include "game/GameLogic.h"
#include "game/Level.h"
#include "graphics/DrawLogView.h"
#include "graphics/Sprite.h"
#include "harness/GameProbes.h"
#include "harness/GameScene.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Position.h"

namespace {

constexpr int kEsc = 27;
constexpr int kL = 76;

std::string Button(int x, const std::string& command) {
    return "Position Vec2 position " + std::to_string(x) +
           " 100 Vec2 size 40 40 end Body Shape Rect end end Clickable Message " + command + " end end end";
}

// The game flow on a small data set: a menu of buttons (switch to play.lvl
// at x 100, load play.lvl at 300, quit at 500), a level with a player and
// two enemies, an empty end level and the end-screen text.
class Flow : public ::testing::Test, public GameScene {
protected:
    void SetUp() override {
        GameLog::Reset();
        data.Archetype("switch.txt", Button(100, "SwitchLevel string level play.lvl"));
        data.Archetype("load.txt", Button(300, "LoadLevel string level play.lvl"));
        data.Archetype("quit.txt", Button(500, "Quit"));
        data.Archetype("player.txt", "Position Vec2 position 600 600 end IDAnnouncer bool player true end end");
        data.Archetype("enemy.txt", "Position Vec2 position 700 700 end IDAnnouncer end end");
        data.Archetype("text.txt", "Position Vec2 size 200 50 end Sprite string name text.png end end");
        data.Archetype("cursor.txt", "Position end Cursor end end");
        data.Level("menu.lvl", "switch.txt end load.txt end quit.txt end");
        data.Level("play.lvl", "player.txt end enemy.txt end enemy.txt end");
        data.Level("gameend.lvl", "");
    }
    void TearDown() override {
        game.reset();
        GameLog::Reset();
    }
    void Start() {
        ASSERT_TRUE(game->Start());
        RegisterGameProbes();
        watch = &InstallFrameWatch();
        ASSERT_TRUE(game->Frame());
    }
    bool ClickAt(int x, int y = 100) {
        game->MoveMouse(x, y);
        game->platform.LeftDown();
        return game->Frame();
    }
    void Broadcast(MessageId id, const std::string& file) {
        LevelMessage message(id, file);
        gCore->BroadcastMessage(&message);
    }
    GameObject* Player() { return gGameLogic->playerId != 0 ? gFactory->GetObjectById(gGameLogic->playerId) : nullptr; }
    std::vector<GameObject*> Enemies() {
        std::vector<GameObject*> found;
        for (GameObject* object : game->ObjectsWith("IDAnnouncer")) {
            if (object->id != gGameLogic->playerId) {
                found.push_back(object);
            }
        }
        return found;
    }
    std::vector<std::string> SpriteNames() {
        std::vector<std::string> names;
        for (GameObject* object : game->ObjectsWith("Sprite")) {
            names.push_back(object->Get<Sprite>()->name);
        }
        return names;
    }
    static Level* LevelNamed(const std::string& name) {
        for (Level* level = gGameLogic->levels.head; level != nullptr; level = level->next) {
            if (level->fileName == name) {
                return level;
            }
        }
        return nullptr;
    }

    MessageRecorder* watch = nullptr;
};

TEST_F(Flow, EscOnTheMenuEndsTheLoopAfterThatFrame) {
    Start();
    const std::size_t updates = watch->log->updates.size();
    game->PressKey(kEsc);
    EXPECT_FALSE(game->Frame());
    EXPECT_EQ(watch->log->updates.size(), updates + 1);  // the frame still ran
    EXPECT_EQ(game->LevelNames(), std::vector<std::string>{"menu.lvl"});
}

TEST_F(Flow, QuitButtonEndsTheLoop) {
    Start();
    EXPECT_FALSE(ClickAt(500));
}

TEST_F(Flow, SwitchLevelReplacesTheMenuAndResumesTimeAfterTwoZeroFrames) {
    Start();
    const auto menuObjects = game->ObjectsWith("Clickable");
    ASSERT_EQ(menuObjects.size(), 3u);
    std::vector<std::string> namesInFrame;
    std::size_t menuObjectsInFrame = 0;
    watch->onUpdate = [&] {
        namesInFrame = game->LevelNames();
        menuObjectsInFrame = game->ObjectsWith("Clickable").size();
        watch->onUpdate = nullptr;
    };
    ASSERT_TRUE(ClickAt(100));
    // Levels went at the end of the game logic's update, objects at the end
    // of the frame.
    EXPECT_EQ(namesInFrame, std::vector<std::string>{"play.lvl"});
    EXPECT_EQ(menuObjectsInFrame, 3u);
    EXPECT_TRUE(game->ObjectsWith("Clickable").empty());
    EXPECT_TRUE(gGameLogic->inPlay);
    ASSERT_NE(Player(), nullptr);
    EXPECT_EQ(gGameLogic->nonPlayerCount, 2);
    EXPECT_FALSE(gCore->paused);
    EXPECT_FLOAT_EQ(watch->log->updates.back(), 0.016f);  // the click's frame took its step before the pump
    game->Frame(20);
    game->Frame(30);
    game->Frame(25);
    const std::vector<float> tail(watch->log->updates.end() - 3, watch->log->updates.end());
    EXPECT_EQ(tail, (std::vector<float>{0.0f, 0.0f, 0.025f}));
}

TEST_F(Flow, LoadLevelKeepsTheMenuLiveBeneath) {
    Start();
    ASSERT_TRUE(ClickAt(300));
    EXPECT_EQ(game->LevelNames(), (std::vector<std::string>{"play.lvl", "menu.lvl"}));
    EXPECT_EQ(game->ObjectsWith("Clickable").size(), 3u);
    EXPECT_FALSE(gCore->paused);
    EXPECT_EQ(gCore->zeroTimeFrames, 0);  // loading does not pause
    // The menu's buttons still work beneath it.
    EXPECT_FALSE(ClickAt(500));
}

TEST_F(Flow, EscDuringPlayGivesOneMenuAndNeitherGameOverNorWin) {
    Start();
    ASSERT_TRUE(ClickAt(300));  // play.lvl over the menu
    std::vector<std::string> namesInFrame;
    watch->onUpdate = [&] {
        namesInFrame = game->LevelNames();
        watch->onUpdate = nullptr;
    };
    game->PressKey(kEsc);
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(namesInFrame, std::vector<std::string>{"menu.lvl"});
    EXPECT_EQ(game->LevelNames(), std::vector<std::string>{"menu.lvl"});
    EXPECT_FALSE(gGameLogic->inPlay);
    EXPECT_EQ(gGameLogic->playerId, 0);
    EXPECT_EQ(gGameLogic->nonPlayerCount, 0);
    EXPECT_TRUE(game->ObjectsWith("IDAnnouncer").empty());
    EXPECT_FALSE(gCore->paused);
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(game->LevelNames(), std::vector<std::string>{"menu.lvl"});
    EXPECT_EQ(game->ObjectsWith("Clickable").size(), 3u);  // a fresh menu
    game->PressKey(kEsc);
    EXPECT_FALSE(game->Frame());  // and Esc on it quits
}

TEST_F(Flow, PlayerLossShowsTheGameOverScreenOverTheLevel) {
    Start();
    ASSERT_TRUE(ClickAt(100));
    ASSERT_NE(Player(), nullptr);
    Player()->Destroy();
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(game->LevelNames(), (std::vector<std::string>{"play.lvl", "gameend.lvl"}));
    EXPECT_FALSE(gGameLogic->inPlay);
    EXPECT_EQ(gGameLogic->playerId, 0);
    EXPECT_TRUE(gCore->paused);
    EXPECT_EQ(SpriteNames(), std::vector<std::string>{"gameover.png"});
    Level* end = LevelNamed("gameend.lvl");
    ASSERT_NE(end, nullptr);
    ASSERT_EQ(end->objects.count, 1);
    EXPECT_NE(end->objects.head->GetComponent("Sprite"), nullptr);
    EXPECT_EQ(end->objects.head->level, end);
    game->Frame(100);
    EXPECT_FLOAT_EQ(watch->log->updates.back(), 0.0f);
    EXPECT_EQ(Enemies().size(), 2u);  // the level stays live beneath
}

TEST_F(Flow, LastEnemyLostWinsOnlyWhileInPlay) {
    Start();
    ASSERT_TRUE(ClickAt(100));
    auto enemies = Enemies();
    ASSERT_EQ(enemies.size(), 2u);
    enemies[0]->Destroy();
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(game->LevelNames(), std::vector<std::string>{"play.lvl"});
    EXPECT_EQ(gGameLogic->nonPlayerCount, 1);
    enemies[1]->Destroy();
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(game->LevelNames(), (std::vector<std::string>{"play.lvl", "gameend.lvl"}));
    EXPECT_EQ(SpriteNames(), std::vector<std::string>{"youwin.png"});
    EXPECT_FALSE(gGameLogic->inPlay);
    // The player's loss after the win is no game over.
    Player()->Destroy();
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(SpriteNames(), std::vector<std::string>{"youwin.png"});
}

TEST_F(Flow, EnemiesLostBeforeAnyPlayerAnnouncedGiveNoWin) {
    data.Level("enemies.lvl", "enemy.txt end enemy.txt end");
    Start();
    Broadcast(MsgLoadLevel, "enemies.lvl");
    ASSERT_EQ(gGameLogic->nonPlayerCount, 2);
    for (GameObject* enemy : Enemies()) {
        enemy->Destroy();
    }
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(gGameLogic->nonPlayerCount, 0);
    EXPECT_EQ(LevelNamed("gameend.lvl"), nullptr);
}

TEST_F(Flow, NewPlayerReplacesTheOldAndOnlyItsLossIsGameOver) {
    data.Level("two.lvl", "player.txt end enemy.txt end player.txt end");
    Start();
    Broadcast(MsgSwitchLevel, "two.lvl");
    ASSERT_TRUE(game->Frame());
    const auto players = game->ObjectsWith("IDAnnouncer");
    ASSERT_EQ(players.size(), 3u);
    const std::int32_t firstPlayer = players[0]->id;
    const std::int32_t secondPlayer = players[2]->id;
    EXPECT_EQ(gGameLogic->playerId, secondPlayer);
    gFactory->GetObjectById(firstPlayer)->Destroy();
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(LevelNamed("gameend.lvl"), nullptr);
    EXPECT_TRUE(gGameLogic->inPlay);
    EXPECT_EQ(gGameLogic->playerId, secondPlayer);
    gFactory->GetObjectById(secondPlayer)->Destroy();
    ASSERT_TRUE(game->Frame());
    EXPECT_NE(LevelNamed("gameend.lvl"), nullptr);
}

TEST_F(Flow, LReloadsEveryLevelWithoutTheEndTextAndResumesTime) {
    Start();
    ASSERT_TRUE(ClickAt(100));
    const std::int32_t oldPlayer = gGameLogic->playerId;
    Player()->Destroy();
    ASSERT_TRUE(game->Frame());
    ASSERT_TRUE(gCore->paused);
    game->PressKey(kL);
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(game->LevelNames(), (std::vector<std::string>{"play.lvl", "gameend.lvl"}));
    EXPECT_TRUE(SpriteNames().empty());  // the code-made text object is gone for good
    EXPECT_EQ(LevelNamed("gameend.lvl")->objects.count, 0);
    ASSERT_NE(Player(), nullptr);
    EXPECT_GT(gGameLogic->playerId, oldPlayer);
    EXPECT_TRUE(gGameLogic->inPlay);
    EXPECT_EQ(gGameLogic->nonPlayerCount, 2);  // old enemies gone, new ones counted
    EXPECT_EQ(Enemies().size(), 2u);
    EXPECT_FALSE(gCore->paused);
    game->Frame(20);
    game->Frame(30);
    game->Frame(25);
    const std::vector<float> tail(watch->log->updates.end() - 3, watch->log->updates.end());
    EXPECT_EQ(tail, (std::vector<float>{0.0f, 0.0f, 0.025f}));
}

TEST_F(Flow, TheProgressLineShowsWhatIsLeftToWinAndNeverCountsAReloadTwice) {
    data.Archetype("progress.txt", "ProgressText Vec2 position 40 30 string format Left:_#_of_them end end");
    data.Level("play.lvl", "player.txt end enemy.txt end enemy.txt end progress.txt end");
    Start();
    const auto textsOfFrame = [this] {
        const std::size_t mark = game->platform.Log().calls.size();
        EXPECT_TRUE(game->Frame());
        std::vector<std::string> texts;
        for (const DrawLog::Call& call : Only(CallsSince(game->platform.Log(), mark), "DrawTextA")) {
            texts.push_back(call.text + " at " + std::to_string(call.rect.left) + "," + std::to_string(call.rect.top));
        }
        return texts;
    };
    EXPECT_TRUE(textsOfFrame().empty());  // the menu has no progress line
    ASSERT_TRUE(ClickAt(100));
    // A dark copy beneath, then the text.
    EXPECT_EQ(textsOfFrame(), (std::vector<std::string>{"Left: 2 of them at 42,32", "Left: 2 of them at 40,30"}));
    // Killed: no longer left, in the very frame (its departure is counted
    // when the factory deletes it, at the end of that frame).
    Enemies()[0]->Destroy();
    EXPECT_EQ(gGameLogic->LeftToWin(), 1);
    EXPECT_EQ(textsOfFrame().back(), "Left: 1 of them at 40,30");
    EXPECT_EQ(gGameLogic->nonPlayerCount, 1);
    // A reload counts the fresh opponents while the old ones still wait for
    // deletion: two, not three.
    game->PressKey(kL);
    EXPECT_EQ(textsOfFrame().back(), "Left: 2 of them at 40,30");
    EXPECT_EQ(gGameLogic->nonPlayerCount, 2);
    EXPECT_EQ(ProgressText::Format("#/#_##", 7), "7/7 77");
}

TEST_F(Flow, TheEndScreenTextLeavesThePlaceWhereTheGameWasDecidedInView) {
    data.Archetype("text.txt", "Position Vec2 position 640 100 Vec2 size 200 50 end Sprite string name t.png end end");
    data.Archetype("player.txt", "Position Vec2 position 600 120 end Killable end IDAnnouncer bool player true end");
    data.Archetype("enemy.txt", "Position Vec2 position 700 700 end Killable end IDAnnouncer end end");
    Start();
    ASSERT_TRUE(ClickAt(100));
    const auto textY = [this] {
        const std::vector<GameObject*> texts = game->ObjectsWith("Sprite");
        return texts.size() == 1 ? texts[0]->Get<Position>()->position.y : -1.0f;
    };
    // Killed under where the text would be: it goes to the other half.
    ASSERT_TRUE(Player()->Get<Killable>()->Kill());
    EXPECT_FALSE(Player()->Get<Killable>()->Kill());  // dying already
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(textY(), 1024.0f - 100.0f);
    // Won where the text does not reach: it stays.
    game->PressKey(kL);
    ASSERT_TRUE(game->Frame());
    for (GameObject* enemy : Enemies()) {
        enemy->Get<Killable>()->Kill();
        ASSERT_TRUE(game->Frame());
    }
    ASSERT_FALSE(gGameLogic->inPlay);
    EXPECT_EQ(textY(), 100.0f);
}

TEST_F(Flow, LKeepsEachLevelInItsPlace) {
    data.Level("top.lvl", "enemy.txt end");
    Start();
    ASSERT_TRUE(ClickAt(300));
    Broadcast(MsgLoadLevel, "top.lvl");
    const std::vector<std::string> before = game->LevelNames();
    ASSERT_EQ(before, (std::vector<std::string>{"top.lvl", "play.lvl", "menu.lvl"}));
    game->PressKey(kL);
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(game->LevelNames(), before);
    EXPECT_EQ(game->ObjectsWith("Clickable").size(), 3u);
    EXPECT_EQ(LevelNamed("top.lvl")->objects.count, 1);
}

TEST_F(Flow, MouseButtonsReachTheCursorFirstThenEveryLevelHeadFirst) {
    data.Archetype("probecursor.txt", "Position end ProbeCursor int tag 9 end end");
    data.Level("under.lvl", "probecursor.txt end listener.txt ListProbe bool mouse true int tag 2 end end");
    data.Level("over.lvl", "listener.txt ListProbe bool mouse true int tag 1 end end");
    data.Archetype("listener.txt", "Position end end");
    Start();
    Broadcast(MsgLoadLevel, "under.lvl");
    Broadcast(MsgLoadLevel, "over.lvl");
    ASSERT_NE(gGameLogic->cursor, nullptr);
    GameLog::events.clear();
    game->platform.RightDown();
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(GameLog::events, (std::vector<std::string>{"cursor 9", "mouse 1", "mouse 2"}));
    gGameLogic->cursor->owner->Destroy();
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(gGameLogic->cursor, nullptr);
    GameLog::events.clear();
    game->platform.RightUp();
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(GameLog::events, (std::vector<std::string>{"mouse 1", "mouse 2"}));
}

TEST_F(Flow, BrokenEndScreenAndLevelFilesDoNotCrash) {
    data.Archetype("text.txt", "Position end end");  // no Sprite
    Start();
    Broadcast(MsgSwitchLevel, "missing.lvl");
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(game->LevelNames(), std::vector<std::string>{"missing.lvl"});
    EXPECT_TRUE(gFactory->objects.empty());
    Broadcast(MsgLoadLevel, "");  // a command that named no file
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(game->LevelNames(), (std::vector<std::string>{"", "missing.lvl"}));
    EXPECT_TRUE(gFactory->objects.empty());
    Broadcast(MsgLoadLevel, "play.lvl");
    Player()->Destroy();
    ASSERT_TRUE(game->Frame());
    Level* end = LevelNamed("gameend.lvl");
    ASSERT_NE(end, nullptr);
    ASSERT_EQ(end->objects.count, 1);  // the text object, without a sprite
    EXPECT_TRUE(SpriteNames().empty());
}

TEST_F(Flow, MissingEndScreenFilesStillShowTheEndLevel) {
    Start();
    std::remove((data.Root() + "Data/Archetypes/text.txt").c_str());
    std::remove((data.Root() + "Data/Levels/gameend.lvl").c_str());
    ASSERT_TRUE(ClickAt(100));
    const std::size_t objects = gFactory->objects.size();
    Player()->Destroy();
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(game->LevelNames(), (std::vector<std::string>{"play.lvl", "gameend.lvl"}));
    EXPECT_EQ(gFactory->objects.size(), objects - 1);
}

// --- re-entrancy ---

TEST_F(Flow, TwoOverlappingSwitchButtonsInOneWalk) {
    data.Archetype("a.txt", Button(700, "SwitchLevel string level a.lvl"));
    data.Archetype("b.txt", Button(700, "SwitchLevel string level b.lvl"));
    data.Level("menu.lvl", "a.txt end b.txt end");
    data.Level("a.lvl", "player.txt end");
    data.Level("b.lvl", "player.txt end enemy.txt end");
    Start();
    ASSERT_TRUE(ClickAt(700));
    // The second button still got the click in the doomed menu's walk; its
    // switch doomed the level that the first one had just made.
    EXPECT_EQ(game->LevelNames(), std::vector<std::string>{"b.lvl"});
    ASSERT_EQ(gFactory->objects.size(), 2u);
    // a.lvl's player announced itself and went; b.lvl's is the player now,
    // so that departure was no game over.
    ASSERT_NE(Player(), nullptr);
    EXPECT_EQ(Player()->level, LevelNamed("b.lvl"));
    EXPECT_EQ(gGameLogic->nonPlayerCount, 1);
    EXPECT_TRUE(gGameLogic->inPlay);
    EXPECT_TRUE(gFactory->pendingDestroy.empty());
}

TEST_F(Flow, LevelPushedAtTheHeadDuringTheWalkIsNotWalkedByThatClick) {
    data.Archetype("first.txt", Button(700, "LoadLevel string level second.lvl"));
    data.Archetype("second.txt", Button(700, "LoadLevel string level third.lvl"));
    data.Level("menu.lvl", "first.txt end");
    data.Level("second.lvl", "second.txt end");
    data.Level("third.lvl", "");
    Start();
    ASSERT_TRUE(ClickAt(700));
    EXPECT_EQ(game->LevelNames(), (std::vector<std::string>{"second.lvl", "menu.lvl"}));
    ASSERT_TRUE(ClickAt(700));
    EXPECT_EQ(game->LevelNames(), (std::vector<std::string>{"second.lvl", "third.lvl", "second.lvl", "menu.lvl"}));
}

TEST_F(Flow, ClickThatSwitchesAwayFromItsOwnLevelKeepsTheButtonAliveForTheFrame) {
    data.Archetype("back.txt", Button(700, "SwitchLevel string level menu.lvl"));
    data.Level("play.lvl", "player.txt end back.txt end");
    Start();
    ASSERT_TRUE(ClickAt(100));
    ASSERT_EQ(game->LevelNames(), std::vector<std::string>{"play.lvl"});
    std::vector<std::string> namesInFrame;
    watch->onUpdate = [&] {
        namesInFrame = game->LevelNames();
        watch->onUpdate = nullptr;
    };
    ASSERT_TRUE(ClickAt(700));
    EXPECT_EQ(namesInFrame, std::vector<std::string>{"menu.lvl"});
    // Unlike Esc, a switch leaves inPlay set: the player's departure at the
    // end of that frame is a game over, shown over the new menu.
    EXPECT_EQ(game->LevelNames(), (std::vector<std::string>{"menu.lvl", "gameend.lvl"}));
    EXPECT_EQ(SpriteNames(), std::vector<std::string>{"gameover.png"});
}

TEST_F(Flow, DyingPlayersEndScreenCursorReplacesTheOldCursorInsideTheFactoryUpdate) {
    data.Level("play.lvl", "player.txt end cursor.txt end enemy.txt end");
    data.Level("gameend.lvl", "cursor.txt end");
    Start();
    ASSERT_TRUE(ClickAt(100));
    Cursor* oldCursor = gGameLogic->cursor;
    ASSERT_NE(oldCursor, nullptr);
    const std::int32_t oldCursorId = oldCursor->owner->id;
    Player()->Destroy();
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(gFactory->GetObjectById(oldCursorId), nullptr);
    ASSERT_NE(gGameLogic->cursor, nullptr);
    EXPECT_EQ(gGameLogic->cursor->owner->level, LevelNamed("gameend.lvl"));
    EXPECT_TRUE(gFactory->pendingDestroy.empty());
    game->MoveMouse(10, 20);
    ASSERT_TRUE(game->Frame());
    EXPECT_EQ(game->ObjectsWith("Cursor").size(), 1u);
}

TEST_F(Flow, PlayerAndOldCursorDyingInOneFrame) {
    data.Level("play.lvl", "player.txt end cursor.txt end enemy.txt end");
    data.Level("gameend.lvl", "cursor.txt end");
    Start();
    ASSERT_TRUE(ClickAt(100));
    gGameLogic->cursor->owner->Destroy();
    Player()->Destroy();
    ASSERT_TRUE(game->Frame());
    ASSERT_NE(gGameLogic->cursor, nullptr);
    EXPECT_EQ(gGameLogic->cursor->owner->level, LevelNamed("gameend.lvl"));
    EXPECT_EQ(game->ObjectsWith("Cursor").size(), 1u);
    ASSERT_TRUE(game->Frame());
}

TEST_F(Flow, ShutdownDuringPlayDeletesEverythingOnce) {
    data.Level("play.lvl", "player.txt end cursor.txt end enemy.txt end enemy.txt end");
    data.Level("gameend.lvl", "cursor.txt end enemy.txt end");
    Start();
    ASSERT_TRUE(ClickAt(100));
    ASSERT_TRUE(gGameLogic->inPlay);
    // The player's departure during the final deletion brings up the end
    // screen, whose objects are then deleted in turn.
    game->Shutdown();
    EXPECT_EQ(gFactory, nullptr);
    EXPECT_EQ(gGameLogic, nullptr);
    EXPECT_EQ(gCore, nullptr);
}

}  // namespace
