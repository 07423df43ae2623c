#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "game/Level.h"
#include "harness/ObjectProbe.h"
#include "objects/DataObserver.h"
#include "objects/GameObject.h"
#include "physics/Position.h"

namespace {

class FactoryTest : public ::testing::Test, public FactoryFixture {
protected:
    void SetUp() override {
        data.Archetype("a.txt", "Probe int tag 1 end end");
        data.Archetype("b.txt", "Probe int tag 2 end end");
        data.Archetype("empty.txt", "");
    }
    std::int32_t TagOf(std::int32_t id) {
        GameObject* object = factory->GetObjectById(id);
        return object == nullptr ? -1 : object->Get<Probe>()->tag;
    }
};

TEST_F(FactoryTest, IdsCountUpAcrossLevelsAndAreNeverReused) {
    data.Level("one.lvl", "a.txt end a.txt end");
    data.Level("two.lvl", "b.txt end");
    Level one("one.lvl");
    Level two("two.lvl");
    one.Load();
    two.Load();
    EXPECT_EQ(LiveIds(), (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(TagOf(3), 2);
    factory->DestroyAllObjects();
    EXPECT_TRUE(factory->objects.empty());
    GameObject* after = factory->CreateObject("a.txt");
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->id, 4);
}

TEST_F(FactoryTest, MissingArchetypeUsesNoIdAndEmptyArchetypeIsAnObject) {
    EXPECT_EQ(factory->CreateObject("missing.txt"), nullptr);
    GameObject* empty = factory->CreateObject("empty.txt");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->id, 1);
    EXPECT_TRUE(empty->components.empty());
    EXPECT_EQ(empty->level, nullptr);
    EXPECT_EQ(factory->CreateObject("missing.txt"), nullptr);
    EXPECT_EQ(factory->CreateObject("a.txt")->id, 2);
    EXPECT_EQ(factory->nextId, 3);
}

TEST_F(FactoryTest, DirectoryIsNoArchetype) {
    // "." and ".." name directories, which cannot be read as a file.
    EXPECT_EQ(factory->CreateObject("."), nullptr);
    EXPECT_EQ(factory->CreateObject(".."), nullptr);
    EXPECT_EQ(factory->CreateObject(""), nullptr);
    EXPECT_EQ(factory->nextId, 1);
    data.Level("dirs.lvl", ". end .. end a.txt end");
    level->fileName = "dirs.lvl";
    level->Load();
    EXPECT_EQ(LiveIds(), (std::vector<std::int32_t>{1}));
}

TEST_F(FactoryTest, CreatedObjectIsRegisteredButNotPlacedOrInitialized) {
    Probe::log.clear();
    GameObject* object = factory->CreateObject("a.txt");
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(factory->GetObjectById(object->id), object);
    EXPECT_EQ(object->level, nullptr);
    EXPECT_TRUE(Probe::log.empty());
    Factory::PlaceInLevel(*object, *level);
    EXPECT_EQ(Probe::log, (std::vector<std::string>{"init Probe 1"}));
    EXPECT_EQ(level->objects.tail, object);
    EXPECT_EQ(object->level, level.get());
}

TEST_F(FactoryTest, DoomedObjectIsFoundUntilTheEndOfItsFrame) {
    GameObject* object = Spawn("a.txt");
    const std::int32_t id = object->id;
    object->Destroy();
    EXPECT_EQ(factory->GetObjectById(id), object);
    factory->Update(0.0f);
    EXPECT_EQ(factory->GetObjectById(id), nullptr);
    EXPECT_EQ(factory->GetObjectById(0), nullptr);
    EXPECT_EQ(factory->GetObjectById(99), nullptr);
}

TEST_F(FactoryTest, DestroyAllObjectsGoesInAscendingIdOrder) {
    // Ids against addresses: create several, so that address order and id
    // order are unlikely to agree by chance.
    for (int i = 0; i < 8; ++i) {
        GameObject* object = Spawn(i % 2 == 0 ? "a.txt" : "b.txt");
        object->Get<Probe>()->tag = 100 + object->id;
    }
    Probe::log.clear();
    factory->DestroyAllObjects();
    std::vector<std::string> expected;
    for (int id = 1; id <= 8; ++id) {
        expected.push_back("dtor Probe " + std::to_string(100 + id));
    }
    EXPECT_EQ(Probe::log, expected);
    EXPECT_EQ(level->objects.count, 0);
}

TEST_F(FactoryTest, DestructorDoomingAnotherObjectIsCarriedOutInTheSamePass) {
    GameObject* victim = Spawn("b.txt");
    GameObject* killer = Spawn("a.txt");
    const std::int32_t victimId = victim->id;
    Probe::onDestroy[1] = [this, victimId](Probe&) {
        if (GameObject* target = factory->GetObjectById(victimId)) {
            target->Destroy();
        }
    };
    killer->Destroy();
    factory->Update(0.0f);
    EXPECT_TRUE(factory->objects.empty());
    EXPECT_TRUE(factory->pendingDestroy.empty());
    EXPECT_EQ(level->objects.count, 0);
}

TEST_F(FactoryTest, DestructorDoomingItsOwnObjectOrOneAlreadyQueuedDeletesEachOnce) {
    GameObject* first = Spawn("a.txt");
    GameObject* second = Spawn("b.txt");
    const std::int32_t secondId = second->id;
    Probe::onDestroy[1] = [this, secondId](Probe& self) {
        self.owner->Destroy();  // the object being deleted right now
        if (GameObject* other = factory->GetObjectById(secondId)) {
            other->Destroy();  // queued already, maybe deleted already
        }
    };
    Probe::onDestroy[2] = [](Probe& self) { self.owner->Destroy(); };
    second->Destroy();
    first->Destroy();
    Probe::log.clear();
    factory->Update(0.0f);
    EXPECT_EQ(Probe::log, (std::vector<std::string>{"dtor Probe 1", "dtor Probe 2"}));
    EXPECT_TRUE(factory->pendingDestroy.empty());
    EXPECT_TRUE(factory->objects.empty());
}

TEST_F(FactoryTest, DeletionsOfAFrameRunInCreationOrderWhateverTheAddresses) {
    // Ids that fall, then rise: whichever way the allocator hands out
    // addresses, somewhere the id order and the address order disagree.
    std::vector<GameObject*> objects;
    for (int i = 0; i < 40; ++i) {
        factory->nextId = i < 20 ? 1000 - i : 2000 + i;
        GameObject* object = Spawn("a.txt");
        object->Get<Probe>()->tag = object->id;
        objects.push_back(object);
    }
    bool disagree = false;
    for (std::size_t i = 1; i < objects.size(); ++i) {
        disagree |= (objects[i - 1]->id < objects[i]->id) != std::less<>()(objects[i - 1], objects[i]);
    }
    ASSERT_TRUE(disagree);
    for (GameObject* object : objects) {
        object->Destroy();
    }
    std::sort(objects.begin(), objects.end(), [](GameObject* a, GameObject* b) { return a->id < b->id; });
    std::vector<std::string> expected;
    for (GameObject* object : objects) {
        expected.push_back("dtor Probe " + std::to_string(object->id));
    }
    Probe::log.clear();
    factory->Update(0.0f);
    EXPECT_EQ(Probe::log, expected);
}

TEST_F(FactoryTest, DestructorCreatingObjectsDuringUpdateLosesNothing) {
    data.Archetype("spawn.txt", "Probe int tag 3 end end");
    GameObject* parent = Spawn("a.txt");
    int spawned = 0;
    Probe::onDestroy[1] = [this, &spawned](Probe&) {
        // One that stays, and one doomed at once.
        GameObject* kept = Spawn("spawn.txt");
        GameObject* doomed = Spawn("spawn.txt");
        kept->Get<Probe>()->tag = 4;
        doomed->Destroy();
        spawned += 2;
    };
    parent->Destroy();
    factory->Update(0.0f);
    EXPECT_EQ(spawned, 2);
    // The doomed child went in the same update; the other stays.
    ASSERT_EQ(LiveIds(), (std::vector<std::int32_t>{2}));
    EXPECT_EQ(TagOf(2), 4);
    EXPECT_TRUE(factory->pendingDestroy.empty());
    EXPECT_EQ(level->objects.count, 1);
    EXPECT_EQ(level->objects.head, factory->GetObjectById(2));
}

TEST_F(FactoryTest, DestructorsActingDuringDestroyAllObjects) {
    data.Archetype("spawn.txt", "Probe int tag 3 end end");
    GameObject* creator = Spawn("a.txt");  // id 1: creates a child when deleted
    GameObject* doomer = Spawn("b.txt");   // id 2: dooms id 4 and itself
    Spawn("empty.txt");                    // id 3
    Spawn("empty.txt");                    // id 4
    ASSERT_EQ(creator->id, 1);
    ASSERT_EQ(doomer->id, 2);
    Probe::onDestroy[1] = [this](Probe&) { Spawn("spawn.txt"); };
    Probe::onDestroy[2] = [this](Probe& self) {
        self.owner->Destroy();
        if (GameObject* other = factory->GetObjectById(4)) {
            other->Destroy();
        }
    };
    Probe::log.clear();
    factory->DestroyAllObjects();
    // The child (id 5) is created, placed and then deleted in turn.
    EXPECT_EQ(Probe::log, (std::vector<std::string>{"dtor Probe 1", "init Probe 3", "dtor Probe 2", "dtor Probe 3"}));
    EXPECT_TRUE(factory->objects.empty());
    EXPECT_TRUE(factory->pendingDestroy.empty());
    EXPECT_EQ(level->objects.count, 0);
    EXPECT_EQ(factory->nextId, 6);
}

// Archetype files as a user edits them while the game runs: every change
// is seen by the next creation, and an unchanged file is read only once.
class KeptArchetypeTest : public FactoryTest {
protected:
    using Clock = std::filesystem::file_time_type::clock;
    std::string Path(const std::string& name) const { return data.Root() + "Data/Archetypes/" + name; }
    // Rewrites the file in place, dated `age` ago.
    void Edit(const std::string& name, const std::string& text, std::chrono::minutes age) {
        data.Archetype(name, text);
        std::filesystem::last_write_time(Path(name), dated_ - age);
    }
    std::int32_t Created(const std::string& name) {
        GameObject* object = factory->CreateObject(name);
        return object == nullptr ? -1 : object->Get<Probe>()->tag;
    }
    std::size_t Reads() const { return factory->Files().FileReads(); }

    const Clock::time_point dated_ = Clock::now();
};

TEST_F(KeptArchetypeTest, EveryEditIsSeenAndAnUnchangedFileIsReadOnce) {
    Edit("k.txt", "Probe int tag 10 end end", std::chrono::minutes(60));
    EXPECT_EQ(Created("k.txt"), 10);
    EXPECT_EQ(Created("k.txt"), 10);
    EXPECT_EQ(Reads(), 1u);

    Edit("k.txt", "Probe int tag 200 end end", std::chrono::minutes(60));  // same time, other size
    EXPECT_EQ(Created("k.txt"), 200);
    Edit("k.txt", "Probe int tag 300 end end", std::chrono::minutes(50));  // same size, other time
    EXPECT_EQ(Created("k.txt"), 300);
    // Same size, and its time put back (cp -p, touch -r): only the time of
    // the change tells.
    Edit("k.txt", "Probe int tag 301 end end", std::chrono::minutes(50));
    EXPECT_EQ(Created("k.txt"), 301);
    // Same size and time, but another file moved in its place.
    Edit("new.txt", "Probe int tag 400 end end", std::chrono::minutes(50));
    std::filesystem::rename(Path("new.txt"), Path("k.txt"));
    EXPECT_EQ(Created("k.txt"), 400);
    EXPECT_EQ(Created("k.txt"), Created("k.txt"));
    const std::size_t reads = Reads();

    // Gone is gone, and costs no id; back again is read again.
    std::filesystem::remove(Path("k.txt"));
    const std::int32_t nextId = factory->nextId;
    EXPECT_EQ(Created("k.txt"), -1);
    EXPECT_EQ(factory->nextId, nextId);
    Edit("k.txt", "Probe int tag 500 end end", std::chrono::minutes(40));
    EXPECT_EQ(Created("k.txt"), 500);
    EXPECT_EQ(Reads(), reads + 1);
}

TEST_F(KeptArchetypeTest, AFileWrittenJustNowIsReadAgainEvenWithTheSameStamp) {
    // Two writes within one tick of a coarse file clock: same file, size and
    // time. Only a file old enough to be told apart by its time is kept.
    data.Archetype("k.txt", "Probe int tag 10 end end");
    std::filesystem::last_write_time(Path("k.txt"), dated_);
    EXPECT_EQ(Created("k.txt"), 10);
    data.Archetype("k.txt", "Probe int tag 20 end end");
    std::filesystem::last_write_time(Path("k.txt"), dated_);
    EXPECT_EQ(Created("k.txt"), 20);
}

// What the data checker relies on: a kept file reports every problem, at
// the same place, each time it is read, whoever read it first.
TEST_F(KeptArchetypeTest, AKeptFileReportsToTheObserverAsAReadFileDoes) {
    struct Reports : DataObserver {
        void OnSkippedToken(const DataPosition& where, const std::string& token, const std::string&) override {
            seen.push_back(*where.file + "@" + std::to_string(where.offset) + " " + token);
        }
        void OnUnknownComponent(const DataPosition& where, const std::string& name) override {
            seen.push_back(*where.file + "@" + std::to_string(where.offset) + " " + name);
        }
        void OnFailedRead(const DataPosition& where, const char* expected) override {
            seen.push_back(*where.file + "@" + std::to_string(where.offset) + " " + expected);
        }
        std::vector<std::string> seen;
    };
    const std::string text = "Probe junk int tag 7 end\n  Bogus Probe int tag 12x end end";
    Edit("k.txt", text, std::chrono::minutes(60));
    EXPECT_EQ(Created("k.txt"), 12);  // read once without an observer, as the game does
    Reports first;
    factory->SetDataObserver(&first);
    EXPECT_EQ(Created("k.txt"), 12);
    Reports second;
    factory->SetDataObserver(&second);
    EXPECT_EQ(Created("k.txt"), 12);
    factory->SetDataObserver(nullptr);
    EXPECT_EQ(Reads(), 1u);
    const std::string at = Path("k.txt") + "@";
    const std::vector<std::string> expected = {
        at + std::to_string(text.find("junk")) + " junk",
        at + std::to_string(text.find("Bogus")) + " Bogus",
        // "12x" is 12, then "x" stands where the next key word should.
        at + std::to_string(text.find("x end")) + " x",
    };
    EXPECT_EQ(first.seen, expected);
    EXPECT_EQ(second.seen, expected);
}

}  // namespace
