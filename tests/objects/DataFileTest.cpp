#include <gtest/gtest.h>

#include <random>

#include "game/Level.h"
#include "harness/ObjectProbe.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "physics/Position.h"

namespace {

// Archetype and level files read by the real factory.
class DataFile : public ::testing::Test, public FactoryFixture {
protected:
    void SetUp() override {
        data.Archetype("box.txt", "Position Vec2 position 1 2 Vec2 size 3 4 float depth 7 end\n"
                                  "Body float mass 2 Shape Rect end end\n"
                                  "end\n");
        data.Archetype("tagged.txt", "Probe int tag 5 end end");
    }
    // Loads `text` as a level file into a fresh level; returns its objects.
    std::vector<GameObject*> LoadLevel(const std::string& text) {
        data.Level("l.lvl", text);
        levels.push_back(std::make_unique<Level>("l.lvl"));
        levels.back()->Load();
        std::vector<GameObject*> objects;
        for (GameObject* it = levels.back()->objects.head; it != nullptr; it = it->next) {
            objects.push_back(it);
        }
        return objects;
    }
    GameObject* Archetype(const std::string& text) {
        data.Archetype("x.txt", text);
        return factory->CreateObject("x.txt");
    }
    static std::vector<std::string> Names(const GameObject* object) {
        std::vector<std::string> names;
        for (const auto& component : object->components) {
            names.push_back(component->typeName);
        }
        return names;
    }
    // Owned here so that they die before the factory.
    std::vector<std::unique_ptr<Level>> levels;
    void TearDown() override { levels.clear(); }
};

TEST_F(DataFile, ArchetypeReadsEveryRegisteredComponentUpToItsEnd) {
    GameObject* box = factory->CreateObject("box.txt");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Names(box), (std::vector<std::string>{"Body", "Position"}));
    EXPECT_EQ(box->Get<Position>()->size, Vec2(3.0f, 4.0f));
    EXPECT_FLOAT_EQ(box->Get<Body>()->mass, 2.0f);
    // Anything after the archetype's "end" is never read.
    GameObject* x = Archetype("Position end end Body end");
    EXPECT_EQ(Names(x), (std::vector<std::string>{"Position"}));
    // Without a final "end" the file ends the archetype.
    GameObject* y = Archetype("Position end Body end");
    EXPECT_EQ(Names(y), (std::vector<std::string>{"Body", "Position"}));
}

TEST_F(DataFile, UnregisteredComponentInAnArchetypeEndsItAtItsBlocksEnd) {
    // The words of the unknown block are taken as component names, so its
    // "end" ends the file and Body is never read.
    GameObject* x = Archetype("Position end Sparkle float rate 3 end Body end end");
    EXPECT_EQ(Names(x), (std::vector<std::string>{"Position"}));
    // A registered name among those words does start a component.
    GameObject* y = Archetype("Sparkle Probe int tag 9 end end Body end");
    EXPECT_EQ(Names(y), (std::vector<std::string>{"Probe"}));
    EXPECT_EQ(y->Get<Probe>()->tag, 9);
}

TEST_F(DataFile, FinalEndOrNotTheLevelLoadsTheSameObjects) {
    const auto with = LoadLevel("box.txt end tagged.txt Probe int tag 6 end end end");
    const auto without = LoadLevel("box.txt end tagged.txt Probe int tag 6 end end");
    ASSERT_EQ(with.size(), 2u);
    ASSERT_EQ(without.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(Names(with[i]), Names(without[i]));
    }
    EXPECT_EQ(with[1]->Get<Probe>()->tag, 6);
    EXPECT_EQ(without[1]->Get<Probe>()->tag, 6);
}

TEST_F(DataFile, StrayEndsBetweenEntriesAreSkipped) {
    const auto objects = LoadLevel("end end box.txt end end end tagged.txt end end");
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_NE(objects[0]->GetComponent("Body"), nullptr);
    EXPECT_NE(objects[1]->GetComponent("Probe"), nullptr);
}

TEST_F(DataFile, ObjectsArePlacedAndInitializedOneAtATimeInFileOrder) {
    Probe::log.clear();
    const auto objects =
        LoadLevel("tagged.txt Probe int tag 1 end end tagged.txt end tagged.txt Probe int tag 3 end end");
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(Probe::log, (std::vector<std::string>{"init Probe 1", "init Probe 5", "init Probe 3"}));
    EXPECT_EQ(objects[0]->id + 1, objects[1]->id);
    EXPECT_EQ(objects[1]->id + 1, objects[2]->id);
    for (GameObject* object : objects) {
        EXPECT_EQ(object->level, levels.back().get());
    }
}

TEST_F(DataFile, OverrideChangesOnlyTheKeysItLists) {
    const auto objects = LoadLevel("box.txt Position Vec2 position 9 8 end end box.txt Position end end");
    ASSERT_EQ(objects.size(), 2u);
    const Position* moved = objects[0]->Get<Position>();
    EXPECT_EQ(moved->position, Vec2(9.0f, 8.0f));
    EXPECT_EQ(moved->size, Vec2(3.0f, 4.0f));
    EXPECT_FLOAT_EQ(moved->depth, 7.0f);
    EXPECT_EQ(objects[0]->components.size(), 2u);  // no second Position
    const Position* same = objects[1]->Get<Position>();
    EXPECT_EQ(same->position, Vec2(1.0f, 2.0f));
}

TEST_F(DataFile, OverrideNamingARegisteredMissingComponentAddsIt) {
    const auto objects = LoadLevel("box.txt Probe int tag 4 end end");
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(Names(objects[0]), (std::vector<std::string>{"Body", "Position", "Probe"}));
    EXPECT_EQ(objects[0]->Get<Probe>()->tag, 4);
}

TEST_F(DataFile, UnregisteredComponentInALevelClosesTheObjectEntry) {
    // Sparkle's "end" closes the entry; the Position override after it is
    // read as archetype names (all missing), its ends as stray ends.
    const auto objects = LoadLevel("box.txt Sparkle float rate 3 end Position Vec2 position 50 50 end end\n"
                                   "tagged.txt end");
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0]->Get<Position>()->position, Vec2(1.0f, 2.0f));
    EXPECT_NE(objects[1]->GetComponent("Probe"), nullptr);
    EXPECT_EQ(objects[1]->id, 2);
}

TEST_F(DataFile, MissingArchetypeMakesItsOverrideTokensArchetypeNames) {
    // The override's first word names an archetype file that exists: it
    // becomes an object of its own, the rest of the entry its overrides.
    data.Archetype("Position", "Probe int tag 8 end end");
    const auto objects = LoadLevel("missing.txt Position Probe int tag 2 end end end box.txt end");
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0]->id, 1);  // the missing file used no id
    EXPECT_EQ(objects[0]->Get<Probe>()->tag, 2);
    EXPECT_NE(objects[1]->GetComponent("Body"), nullptr);
    const auto plain = LoadLevel("missing.txt Probe int tag 2 end end box.txt end");
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_NE(plain[0]->GetComponent("Body"), nullptr);
}

TEST_F(DataFile, CutOffEntryIsStillPlacedWithWhatWasRead) {
    const auto objects = LoadLevel("tagged.txt end box.txt Position Vec2 position 5 6");
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[1]->Get<Position>()->position, Vec2(5.0f, 6.0f));
    EXPECT_EQ(objects[1]->level, levels.back().get());
    const auto bare = LoadLevel("box.txt");
    ASSERT_EQ(bare.size(), 1u);
}

TEST_F(DataFile, UnreadableValueKeepsWhatWasReadAndStopsTheFile) {
    const auto objects =
        LoadLevel("tagged.txt end box.txt Position float depth 2 Vec2 size 1 x end end tagged.txt end");
    ASSERT_EQ(objects.size(), 2u);
    const Position* p = objects[1]->Get<Position>();
    EXPECT_FLOAT_EQ(p->depth, 2.0f);
    EXPECT_EQ(p->size, Vec2(3.0f, 4.0f));
    GameObject* cut = Archetype("Probe int tag 3 end Position Vec2 size 1 nope end Body end end");
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(Names(cut), (std::vector<std::string>{"Position", "Probe"}));
}

TEST_F(DataFile, MissingOrEmptyLevelFileLeavesTheLevelAsItWas) {
    Level missing("nope.lvl");
    missing.Load();
    EXPECT_EQ(missing.objects.count, 0);
    EXPECT_TRUE(LoadLevel("").empty());
    Level dir("");
    dir.Load();  // the directory itself
    EXPECT_EQ(dir.objects.count, 0);
    EXPECT_TRUE(factory->objects.empty());
}

TEST_F(DataFile, LoadingIntoAFilledLevelAppends) {
    data.Level("l.lvl", "tagged.txt end");
    Level filled("l.lvl");
    filled.Load();
    GameObject* first = filled.objects.head;
    filled.Load();
    ASSERT_EQ(filled.objects.count, 2);
    EXPECT_EQ(filled.objects.head, first);
    EXPECT_EQ(filled.objects.tail->id, first->id + 1);
}

TEST_F(DataFile, GarbageAndHugeFilesNeverHangAndKeepWhatCameBefore) {
    std::mt19937 random(99);
    const std::vector<std::string> words = {"end",    "box.txt", "tagged.txt", "Position", "Body",  "Probe",
                                            "Vec2",   "float",   "int",        "bool",     "Shape", "Rect",
                                            "Circle", "1",       "x",          "true"};
    for (int round = 0; round < 150; ++round) {
        std::string text = "tagged.txt end ";
        const int count = static_cast<int>(random() % 60);
        for (int i = 0; i < count; ++i) {
            if (random() % 5 == 0) {
                text += static_cast<char>(random() & 0xFF);
            } else {
                text += words[random() % words.size()];
            }
            text += random() % 7 == 0 ? "" : " ";
        }
        const auto objects = LoadLevel(text);
        ASSERT_FALSE(objects.empty());
        EXPECT_EQ(objects[0]->Get<Probe>()->tag, 5);
        GameObject* archetype = Archetype("Probe int tag 6 end " + text);
        ASSERT_NE(archetype, nullptr);
        ASSERT_NE(archetype->GetComponent("Probe"), nullptr);
    }
    const std::string huge(8 << 20, 'q');
    const auto big = LoadLevel("tagged.txt end " + huge + " box.txt end");
    ASSERT_EQ(big.size(), 2u);
    EXPECT_NE(big[1]->GetComponent("Body"), nullptr);
}

}  // namespace
