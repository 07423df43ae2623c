#include <gtest/gtest.h>

#include <sstream>

#include "ai/AIController.h"
#include "core/Core.h"
#include "core/Messages.h"
#include "game/GameLogic.h"
#include "game/Level.h"
#include "game/LevelCommand.h"
#include "harness/GameProbes.h"
#include "harness/GameScene.h"
#include "objects/DataReader.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Body.h"

namespace {

// Levels on the running engine (empty menu), with the probes registered.
class LevelTest : public ::testing::Test, public GameScene {
protected:
    void SetUp() override {
        GameLog::Reset();
        data.Level("menu.lvl", "");
        data.Archetype("box.txt", "Position end Body Shape Rect end end ListProbe int tag 1 end end");
        data.Archetype("button.txt", "Position end ListProbe bool mouse true int tag 2 end end");
        data.Archetype("plain.txt", "Position end end");
        ASSERT_TRUE(game->Start());
        RegisterGameProbes();
    }
    void TearDown() override {
        GameLog::Reset();
        game.reset();
    }
    static std::vector<GameObject*> Members(const Level& level) {
        std::vector<GameObject*> objects;
        for (GameObject* it = level.objects.head; it != nullptr; it = it->next) {
            objects.push_back(it);
        }
        return objects;
    }
    static int Count(const IntrusiveList<Component>& list) {
        int n = 0;
        for (Component* it = list.head; it != nullptr; it = it->next) {
            ++n;
        }
        EXPECT_EQ(n, list.count);
        return n;
    }
};

TEST_F(LevelTest, ReloadHoldsOldAndNewForOneFrameAndTheOldNoLongerResolve) {
    data.Level("r.lvl", "box.txt end box.txt end");
    Level level("r.lvl");
    level.Load();
    const auto old = Members(level);
    ASSERT_EQ(old.size(), 2u);
    level.Reload();
    const auto both = Members(level);
    ASSERT_EQ(both.size(), 4u);
    EXPECT_EQ(both[0], old[0]);
    EXPECT_EQ(both[1], old[1]);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(both[i]->level, &level) << i;
        EXPECT_EQ(both[i]->Get<Body>()->resolve, i >= 2) << i;
        // The old ones are out of the physics world for their last frame.
        EXPECT_EQ(both[i]->Get<Body>()->IsRegistered(), i >= 2) << i;
    }
    EXPECT_EQ(Count(level.updateList), 4);
    gFactory->Update(0.0f);
    const auto fresh = Members(level);
    ASSERT_EQ(fresh.size(), 2u);
    EXPECT_EQ(fresh[0], both[2]);
    EXPECT_EQ(fresh[1], both[3]);
    EXPECT_EQ(Count(level.updateList), 2);
}

TEST_F(LevelTest, AfterAReloadTheOldObjectsTakeNoFurtherPartInTheFrame) {
    data.Archetype("fire.txt", "Position Vec2 position 500 500 Vec2 size 5 5 end Body float mass 1 float drag 0 "
                               "Vec2 velocity 500 0 Shape Circle end end Fireball end");
    data.Archetype("hole.txt", "Position Vec2 size 20 20 end Hole float duration 5 end");
    data.Archetype("wanderer.txt",
                   "Position Vec2 position 100 100 end Body float mass 1 Shape Circle end end RandomTargetAI end");
    data.Archetype("probecursor.txt", "Position end ProbeCursor int tag 9 end end");
    data.Level("f.lvl", "fire.txt end wanderer.txt end box.txt end button.txt end probecursor.txt end");
    auto* level = new Level("f.lvl");  // the game logic deletes it at teardown
    gGameLogic->levels.PushBack(level);
    level->Load();
    const auto old = Members(*level);
    ASSERT_EQ(old.size(), 5u);
    old[0]->Get<Body>()->velocity = {50.0f, 0.0f};  // slow enough to end at the next update
    // The fresh level has no cursor of its own to take over from the old.
    data.Level("f.lvl", "fire.txt end wanderer.txt end box.txt end button.txt end");
    level->Reload();
    const auto both = Members(*level);
    ASSERT_EQ(both.size(), 9u);

    // The rest of the frame, system by system: only the fresh objects act.
    gGameLogic->Update(0.016f);
    gAIController->Update(0.016f);
    MouseButtonMessage click(true, true, {0.0f, 0.0f});
    gGameLogic->SendMessage(&click);
    EXPECT_EQ(GameLog::events, (std::vector<std::string>{"update 1", "mouse 2"}));
    EXPECT_EQ(old[1]->Get<Body>()->accumulatedForce, (Vec2{0.0f, 0.0f}));
    EXPECT_NE(both[6]->Get<Body>()->accumulatedForce, (Vec2{0.0f, 0.0f}));
    game->Frame(16);
    EXPECT_TRUE(game->ObjectsWith("Hole").empty());
    EXPECT_EQ(game->ObjectsWith("Fireball").size(), 1u);
    EXPECT_EQ(Members(*level).size(), 4u);
}

TEST_F(LevelTest, AReloadFromInsideTheUpdateWalkStopsTheOldMembersAtOnce) {
    data.Archetype("second.txt", "Position end ListProbe int tag 3 end end");
    data.Level("w.lvl", "box.txt end second.txt end");
    Level level("w.lvl");
    level.Load();
    bool reloaded = false;
    GameLog::onUpdate[1] = [&](Component&) {
        if (!reloaded) {
            reloaded = true;
            level.Reload();
        }
    };
    level.Update(0.016f);
    // The old second probe is skipped; the fresh pair, appended behind, runs.
    EXPECT_EQ(GameLog::events, (std::vector<std::string>{"update 1", "update 1", "update 3"}));
}

TEST_F(LevelTest, UnloadWithoutDetachDoomsButKeepsEveryObjectUntilTheFrameEnds) {
    data.Level("u.lvl", "box.txt end plain.txt end");
    Level level("u.lvl");
    level.Load();
    level.Unload(false);
    EXPECT_EQ(gFactory->pendingDestroy.size(), 2u);
    for (GameObject* object : Members(level)) {
        EXPECT_EQ(object->level, &level);
    }
    level.Update(0.016f);  // still updated in that frame
    EXPECT_EQ(GameLog::events, (std::vector<std::string>{"update 1"}));
    gFactory->Update(0.0f);
    EXPECT_EQ(level.objects.count, 0);
    EXPECT_EQ(level.updateList.count, 0);
}

TEST_F(LevelTest, DestructorDoomsAndDetachesItsObjectsAndLeavesTheLevelList) {
    data.Level("d.lvl", "box.txt end button.txt end");
    auto* before = gGameLogic->levels.head;  // the menu
    auto* doomed = new Level("d.lvl");
    auto* after = new Level("after.lvl");
    gGameLogic->levels.PushBack(doomed);
    gGameLogic->levels.PushBack(after);
    doomed->Load();
    const auto objects = Members(*doomed);
    ASSERT_EQ(objects.size(), 2u);
    Component* updater = objects[0]->GetComponent("ListProbe");
    Component* listener = objects[1]->GetComponent("ListProbe");
    delete doomed;
    EXPECT_EQ(gGameLogic->levels.count, 2);
    EXPECT_EQ(before->next, after);
    EXPECT_EQ(after->prev, before);
    for (GameObject* object : objects) {
        EXPECT_EQ(object->level, nullptr);
        EXPECT_EQ(object->next, nullptr);
        EXPECT_EQ(object->prev, nullptr);
        EXPECT_EQ(gFactory->pendingDestroy.count(object->id), 1u);
        if (Body* body = object->Get<Body>()) {
            EXPECT_FALSE(body->resolve);
        }
    }
    EXPECT_EQ(updater->next, nullptr);
    EXPECT_EQ(listener->prev, nullptr);
    // The detached objects are deleted later without reaching the freed level.
    gFactory->Update(0.0f);
    EXPECT_TRUE(gFactory->objects.empty());
    delete after;
    EXPECT_EQ(gGameLogic->levels.tail, before);
    EXPECT_EQ(before->next, nullptr);
}

TEST_F(LevelTest, UpdateWalksTheUpdateListIncludingMembersAddedDuringTheWalk) {
    data.Archetype("late.txt", "ListProbe int tag 3 end end");
    data.Level("w.lvl", "box.txt end button.txt end box.txt ListProbe int tag 4 end end");
    Level level("w.lvl");
    level.Load();
    GameLog::onUpdate[1] = [&level](Component&) {
        if (GameObject* late = gFactory->CreateObject("late.txt")) {
            Factory::PlaceInLevel(*late, level);
        }
        GameLog::onUpdate.erase(1);
    };
    level.Update(0.016f);
    EXPECT_EQ(GameLog::events, (std::vector<std::string>{"update 1", "update 4", "update 3"}));
}

TEST_F(LevelTest, OnlyMouseButtonMessagesReachTheMouseListeners) {
    data.Level("m.lvl", "button.txt end box.txt end button.txt ListProbe int tag 5 end end");
    Level level("m.lvl");
    level.Load();
    KeyMessage key(65);
    MouseMoveMessage move({1.0f, 1.0f});
    Message quit(MsgQuit);
    level.SendMessage(&key);
    level.SendMessage(&move);
    level.SendMessage(&quit);
    EXPECT_TRUE(GameLog::events.empty());
    MouseButtonMessage click(true, true, {0.0f, 0.0f});
    level.SendMessage(&click);
    EXPECT_EQ(GameLog::events, (std::vector<std::string>{"mouse 2", "mouse 5"}));
}

// --- level commands ---

struct Parsed {
    std::unique_ptr<Message> message;
    std::string rest;
};

Parsed Parse(const std::string& text) {
    std::istringstream stream(text);
    DataReader in(stream);
    Parsed parsed;
    parsed.message = ParseLevelCommand(in);
    in.ReadWord(parsed.rest);
    return parsed;
}

std::string FileOf(const Parsed& parsed) { return static_cast<LevelMessage*>(parsed.message.get())->fileName; }

TEST(LevelCommand, QuitIgnoresEverythingUpToItsEnd) {
    const Parsed p = Parse("Quit string level x.lvl end after");
    ASSERT_NE(p.message, nullptr);
    EXPECT_EQ(p.message->id, MsgQuit);
    EXPECT_EQ(p.rest, "after");
    const Parsed cut = Parse("Quit string level");
    ASSERT_NE(cut.message, nullptr);
    EXPECT_EQ(cut.message->id, MsgQuit);
}

TEST(LevelCommand, LoadAndSwitchTakeTheLastStringLevelPair) {
    const Parsed load = Parse("LoadLevel string level a.lvl junk string level b.lvl end after");
    ASSERT_NE(load.message, nullptr);
    EXPECT_EQ(load.message->id, MsgLoadLevel);
    EXPECT_EQ(FileOf(load), "b.lvl");
    EXPECT_EQ(load.rest, "after");
    const Parsed sw = Parse("SwitchLevel string level c.lvl end");
    ASSERT_NE(sw.message, nullptr);
    EXPECT_EQ(sw.message->id, MsgSwitchLevel);
    EXPECT_EQ(FileOf(sw), "c.lvl");
}

TEST(LevelCommand, BlockWithoutAPairNamesNoFile) {
    const Parsed none = Parse("SwitchLevel end after");
    ASSERT_NE(none.message, nullptr);
    EXPECT_EQ(none.message->id, MsgSwitchLevel);
    EXPECT_EQ(FileOf(none), "");
    EXPECT_EQ(none.rest, "after");
    // "string" followed by anything but "level" drops that word only.
    const Parsed dropped = Parse("LoadLevel string name x.lvl string string level end tail");
    EXPECT_EQ(FileOf(dropped), "");
    EXPECT_EQ(dropped.rest, "tail");
    const Parsed late = Parse("LoadLevel string name string level y.lvl end");
    EXPECT_EQ(FileOf(late), "y.lvl");
}

TEST(LevelCommand, TheWordAfterStringLevelIsTheNameEvenIfItIsEnd) {
    const Parsed p = Parse("LoadLevel string level end end after");
    EXPECT_EQ(FileOf(p), "end");
    EXPECT_EQ(p.rest, "after");
}

TEST(LevelCommand, UnknownWordConsumesOnlyItself) {
    const Parsed p = Parse("Jump string level x.lvl end");
    EXPECT_EQ(p.message, nullptr);
    EXPECT_EQ(p.rest, "string");
    EXPECT_EQ(Parse("quit end").message, nullptr);  // case-sensitive
    EXPECT_EQ(Parse("loadlevel end").rest, "end");
    EXPECT_EQ(Parse("").message, nullptr);
}

TEST(LevelCommand, CutOffBlocksStopAtTheEndOfTheStream) {
    const Parsed named = Parse("LoadLevel string level a.lvl");
    ASSERT_NE(named.message, nullptr);
    EXPECT_EQ(FileOf(named), "a.lvl");
    const Parsed pairCut = Parse("SwitchLevel string level");
    ASSERT_NE(pairCut.message, nullptr);
    EXPECT_EQ(FileOf(pairCut), "");
    const Parsed wordCut = Parse("SwitchLevel string");
    ASSERT_NE(wordCut.message, nullptr);
    EXPECT_EQ(FileOf(wordCut), "");
    const Parsed bare = Parse("LoadLevel");
    ASSERT_NE(bare.message, nullptr);
    EXPECT_EQ(bare.message->id, MsgLoadLevel);
}

}  // namespace
