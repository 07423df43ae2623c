#include <gtest/gtest.h>

#include <algorithm>

#include "game/Level.h"
#include "harness/ObjectProbe.h"
#include "objects/GameObject.h"
#include "objects/IntrusiveList.h"
#include "physics/Body.h"

namespace {

std::vector<std::string> Names(const GameObject& object) {
    std::vector<std::string> names;
    for (const auto& component : object.components) {
        names.push_back(component->typeName);
    }
    return names;
}

TEST(GameObject, ComponentsAreKeptInByteOrderOfTheirNames) {
    GameObject object;
    for (const char* name : {"Sprite", "body", "Body", "Position", "BodyPart", "Bod", "\xC3\xA9t\xC3\xA9", "zeta"}) {
        object.AddComponent(std::unique_ptr<Component>(new Probe(name)));
    }
    // Upper case before lower case, a prefix before its extensions, and
    // bytes compared unsigned (0xC3 after 'z').
    EXPECT_EQ(Names(object), (std::vector<std::string>{"Bod", "Body", "BodyPart", "Position", "Sprite", "body", "zeta",
                                                       "\xC3\xA9t\xC3\xA9"}));
    for (const auto& component : object.components) {
        EXPECT_EQ(component->owner, &object);
    }
}

TEST(GameObject, GetComponentIsExactAndCaseSensitive) {
    GameObject object;
    EXPECT_EQ(object.GetComponent("Body"), nullptr);  // no components at all
    auto* body = new Probe("Body");
    auto* sprite = new Probe("Sprite");
    object.AddComponent(std::unique_ptr<Component>(sprite));
    object.AddComponent(std::unique_ptr<Component>(body));
    object.AddComponent(std::unique_ptr<Component>(new Probe("Position")));
    EXPECT_EQ(object.GetComponent("Body"), body);
    EXPECT_EQ(object.GetComponent("Sprite"), sprite);
    EXPECT_EQ(object.GetComponent("body"), nullptr);
    EXPECT_EQ(object.GetComponent("Bod"), nullptr);
    EXPECT_EQ(object.GetComponent("Body "), nullptr);
    EXPECT_EQ(object.GetComponent("A"), nullptr);   // before every name
    EXPECT_EQ(object.GetComponent("zz"), nullptr);  // after every name
    EXPECT_EQ(object.GetComponent(""), nullptr);
}

TEST(GameObject, LaterDuplicateStandsBeforeTheEarlierAndIsTheOneFound) {
    GameObject object;
    auto* firstBody = new Probe("Body");
    auto* secondBody = new Probe("Body");
    auto* thirdBody = new Probe("Body");
    object.AddComponent(std::unique_ptr<Component>(new Probe("Position")));
    object.AddComponent(std::unique_ptr<Component>(firstBody));
    object.AddComponent(std::unique_ptr<Component>(new Probe("Alpha")));
    object.AddComponent(std::unique_ptr<Component>(secondBody));
    EXPECT_EQ(object.GetComponent("Body"), secondBody);
    object.AddComponent(std::unique_ptr<Component>(thirdBody));
    ASSERT_EQ(object.components.size(), 5u);
    EXPECT_EQ(object.components[1].get(), thirdBody);
    EXPECT_EQ(object.components[2].get(), secondBody);
    EXPECT_EQ(object.components[3].get(), firstBody);
    EXPECT_EQ(object.GetComponent("Body"), thirdBody);
}

TEST(GameObject, TypedLookupFindsByTheClassNameAndRefusesAnotherClassUnderIt) {
    GameObject object;
    auto* body = new Body();
    object.AddComponent(std::unique_ptr<Component>(body));
    object.AddComponent(std::unique_ptr<Component>(new Probe("Sprite")));
    EXPECT_EQ(object.Get<Body>(), body);
    EXPECT_EQ(object.GetAs<Component>("Sprite"), object.GetComponent("Sprite"));
    // A creator registered under another class's name: debug builds stop at
    // the lookup instead of handing out a wrongly cast pointer.
    GameObject wrong;
    wrong.AddComponent(std::unique_ptr<Component>(new Probe("Body")));
    EXPECT_DEBUG_DEATH(wrong.Get<Body>(), "");
}

TEST(GameObject, InitializeRunsInNameOrderNotInsertionOrder) {
    Probe::log.clear();
    GameObject object;
    object.AddComponent(std::unique_ptr<Component>(new Probe("Sprite")));
    object.AddComponent(std::unique_ptr<Component>(new Probe("Body")));
    object.AddComponent(std::unique_ptr<Component>(new Probe("Position")));
    object.Initialize();
    EXPECT_EQ(Probe::log, (std::vector<std::string>{"init Body 0", "init Position 0", "init Sprite 0"}));
}

TEST(GameObject, DestructorDeletesComponentsInOrderAndHidesThemFromLookups) {
    Probe::log.clear();
    Probe::onDestroy.clear();
    bool siblingSeen = true;
    {
        GameObject object;
        auto* a = new Probe("A");
        a->tag = 1;
        object.AddComponent(std::unique_ptr<Component>(new Probe("B")));
        object.AddComponent(std::unique_ptr<Component>(a));
        Probe::onDestroy[1] = [&siblingSeen](Probe& self) {
            // A destructor looking for a sibling finds nothing rather than
            // a component that may already be gone.
            siblingSeen = self.owner->GetComponent("B") != nullptr;
        };
    }
    Probe::onDestroy.clear();
    EXPECT_FALSE(siblingSeen);
    EXPECT_EQ(Probe::log, (std::vector<std::string>{"dtor A 1", "dtor B 0"}));
}

class Objects : public ::testing::Test, public FactoryFixture {
protected:
    void SetUp() override {
        data.Archetype("plain.txt", "Probe int tag 7 end end");
        data.Archetype("body.txt", "Position end Body bool resolve true end end");
    }
};

TEST_F(Objects, DestroyTwiceInOneFrameDeletesOnce) {
    GameObject* object = Spawn("plain.txt");
    ASSERT_NE(object, nullptr);
    object->Destroy();
    object->Destroy();
    EXPECT_EQ(factory->pendingDestroy.size(), 1u);
    Probe::log.clear();
    factory->Update(0.0f);
    EXPECT_EQ(Probe::log, (std::vector<std::string>{"dtor Probe 7"}));
    EXPECT_TRUE(factory->pendingDestroy.empty());
    EXPECT_TRUE(factory->objects.empty());
}

TEST_F(Objects, DestroyOnlyQueuesAndStopsTheBodyResolving) {
    GameObject* plain = Spawn("plain.txt");
    GameObject* solid = Spawn("body.txt");
    ASSERT_NE(plain, nullptr);
    ASSERT_NE(solid, nullptr);
    auto* body = solid->Get<Body>();
    ASSERT_NE(body, nullptr);
    ASSERT_TRUE(body->resolve);
    plain->Destroy();
    solid->Destroy();
    // Still fully alive and in its level until the factory's update.
    EXPECT_EQ(factory->GetObjectById(plain->id), plain);
    EXPECT_EQ(level->objects.count, 2);
    EXPECT_EQ(plain->GetComponent("Probe")->owner, plain);
    EXPECT_FALSE(body->resolve);
    factory->Update(0.0f);
    EXPECT_EQ(level->objects.count, 0);
}

// Deletion of a level member at each place in the list leaves head, tail,
// count and every link consistent.
class ListRemoval : public Objects, public ::testing::WithParamInterface<std::vector<int>> {};

void ExpectConsistent(const IntrusiveList<GameObject>& list, const std::vector<std::int32_t>& ids) {
    std::vector<std::int32_t> forward;
    for (GameObject* it = list.head; it != nullptr; it = it->next) {
        forward.push_back(it->id);
    }
    std::vector<std::int32_t> backward;
    for (GameObject* it = list.tail; it != nullptr; it = it->prev) {
        backward.push_back(it->id);
    }
    std::reverse(backward.begin(), backward.end());
    EXPECT_EQ(forward, ids);
    EXPECT_EQ(backward, ids);
    EXPECT_EQ(list.count, static_cast<std::int32_t>(ids.size()));
    if (ids.empty()) {
        EXPECT_EQ(list.head, nullptr);
        EXPECT_EQ(list.tail, nullptr);
    } else {
        EXPECT_EQ(list.head->prev, nullptr);
        EXPECT_EQ(list.tail->next, nullptr);
    }
}

TEST_P(ListRemoval, DeletedMembersLeaveTheLevelListConsistent) {
    const std::vector<int>& doomedIndices = GetParam();
    const int size = doomedIndices.back() >= 100 ? doomedIndices.back() - 100 : 4;
    std::vector<GameObject*> objects;
    for (int i = 0; i < size; ++i) {
        objects.push_back(Spawn("plain.txt"));
    }
    std::vector<std::int32_t> kept;
    for (int i = 0; i < size; ++i) {
        const bool doomed = std::find(doomedIndices.begin(), doomedIndices.end(), i) != doomedIndices.end();
        if (doomed) {
            objects[static_cast<std::size_t>(i)]->Destroy();
        } else {
            kept.push_back(objects[static_cast<std::size_t>(i)]->id);
        }
    }
    factory->Update(0.0f);
    ExpectConsistent(level->objects, kept);
    // The list still works for later members.
    GameObject* added = Spawn("plain.txt");
    kept.push_back(added->id);
    ExpectConsistent(level->objects, kept);
}

// Indices to delete from four members; a last entry 100 + n sets the size n.
INSTANTIATE_TEST_SUITE_P(Places, ListRemoval,
                         ::testing::Values(std::vector<int>{0}, std::vector<int>{3}, std::vector<int>{1},
                                           std::vector<int>{1, 2}, std::vector<int>{0, 3}, std::vector<int>{0, 1, 2, 3},
                                           std::vector<int>{0, 101}));

TEST(IntrusiveList, RemoveAtHeadTailMiddleAndOnly) {
    GameObject a;
    GameObject b;
    GameObject c;
    a.id = 1;
    b.id = 2;
    c.id = 3;
    IntrusiveList<GameObject> list;
    list.PushBack(&a);
    list.PushBack(&b);
    list.PushBack(&c);
    ExpectConsistent(list, {1, 2, 3});
    list.Remove(&b);
    EXPECT_EQ(b.next, nullptr);
    EXPECT_EQ(b.prev, nullptr);
    ExpectConsistent(list, {1, 3});
    list.Remove(&a);
    ExpectConsistent(list, {3});
    list.PushBack(&a);
    list.Remove(&a);
    ExpectConsistent(list, {3});
    list.Remove(&c);
    ExpectConsistent(list, {});
    list.PushBack(&b);
    ExpectConsistent(list, {2});
    list.Clear();
    ExpectConsistent(list, {});
}

TEST(IntrusiveListDeathTest, RemovingANonMemberStopsDebugBuilds) {
#ifdef NDEBUG
    GTEST_SKIP() << "membership is checked in debug builds only";
#else
    GameObject member;
    GameObject stranger;
    IntrusiveList<GameObject> list;
    list.PushBack(&member);
    // Without the check the stranger's null links would empty the list.
    EXPECT_DEATH(list.Remove(&stranger), "non-member");
#endif
}

}  // namespace
