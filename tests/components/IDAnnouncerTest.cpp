#include <gtest/gtest.h>

#include "GameplayData.h"
#include "core/Messages.h"
#include "game/GameLogic.h"
#include "harness/GameScene.h"
#include "objects/Factory.h"

namespace {

std::vector<HeardMessage> Announcements(const MessageLog& all) {
    std::vector<HeardMessage> found;
    for (const HeardMessage& b : all.messages) {
        if (b.id == MsgPlayerId || b.id == MsgObjectId) {
            found.push_back(b);
        }
    }
    return found;
}

class Announcing : public testing::Test {
protected:
    void SetUp() override {
        scene.data.Archetype("enemy.txt", "Position end IDAnnouncer end");
        scene.data.Archetype("silent.txt", "Position end");
        scene.data.Level("play.lvl", "player.txt end enemy.txt end silent.txt end enemy.txt end");
        ASSERT_TRUE(scene.Start(""));
        scene.Record();
        LevelMessage load(MsgLoadLevel, "play.lvl");
        gGameLogic->SendMessage(&load);
        const auto announcers = scene.All("IDAnnouncer");
        ASSERT_EQ(announcers.size(), 3U);
        player = announcers[0]->id;
        first = announcers[1]->id;
        second = announcers[2]->id;
    }

    GameScene scene{GameplayData};
    std::int32_t player = 0;
    std::int32_t first = 0;
    std::int32_t second = 0;
};

TEST_F(Announcing, ObjectsAnnounceThemselvesInInitializationOrder) {
    EXPECT_LT(player, first);
    EXPECT_LT(first, second);
    EXPECT_EQ(Announcements(*scene.broadcasts),
              (std::vector<HeardMessage>{
                  {MsgPlayerId, player, true}, {MsgObjectId, first, true}, {MsgObjectId, second, true}}));
    EXPECT_EQ(gGameLogic->playerId, player);
    EXPECT_EQ(gGameLogic->nonPlayerCount, 2);
}

TEST_F(Announcing, DeletionIsAnnouncedWithAliveFalse) {
    scene.broadcasts->messages.clear();
    gFactory->GetObjectById(first)->Destroy();
    scene.Frame();
    EXPECT_EQ(Announcements(*scene.broadcasts), (std::vector<HeardMessage>{{MsgObjectId, first, false}}));
    EXPECT_EQ(gGameLogic->nonPlayerCount, 1);

    // Teardown announces whatever is left, while every system still listens.
    scene.broadcasts->messages.clear();
    scene.game->Shutdown();
    const auto last = Announcements(*scene.broadcasts);
    EXPECT_EQ(last, (std::vector<HeardMessage>{{MsgPlayerId, player, false}, {MsgObjectId, second, false}}));
}

TEST_F(Announcing, AnObjectNeverInitializedNeverAnnouncesItsDeparture) {
    scene.broadcasts->messages.clear();
    GameObject* unplaced = gFactory->CreateObject("enemy.txt");
    ASSERT_NE(unplaced, nullptr);
    unplaced->Destroy();
    scene.Frame();
    EXPECT_TRUE(Announcements(*scene.broadcasts).empty());
    EXPECT_EQ(gGameLogic->nonPlayerCount, 2);
}

}  // namespace
