// L replays a level from its data: whatever the old objects were doing in
// their last frame must not reach the fresh ones.
#include <gtest/gtest.h>

#include "core/WinTypes.h"
#include "game/GameLogic.h"
#include "harness/HeadlessGame.h"
#include "harness/TempData.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "physics/Position.h"

namespace {
constexpr int kKeyL = 'L';

GameObject* Only(HeadlessGame& game, const std::string& component) {
    const auto objects = game.ObjectsWith(component);
    return objects.size() == 1 ? objects[0] : nullptr;
}

void MoveTo(GameObject* object, Vec2 to) {
    object->Get<Body>()->position = to;
    object->Get<Position>()->position = to;
}
}  // namespace

TEST(Replay, AnOldHazardOnASpawnPointDoesNotKillTheFreshObjectThere) {
    TempData data;
    data.Archetype(
        "victim.txt",
        "Position Vec2 size 10 10 end Body float mass 1 Shape Circle end int collisionLayers 1 end Killable end end");
    data.Archetype(
        "lava.txt",
        "Position Vec2 size 10 10 end Body float mass 0 Shape Circle end int collisionLayers 1 end Deadly end end");
    data.Level("menu.lvl", "victim.txt Position Vec2 position 100 100 end end "
                           "lava.txt Position Vec2 position 500 500 end end");
    HeadlessGame game({data.Root()});
    ASSERT_TRUE(game.Start());
    ASSERT_TRUE(game.Frame());
    ASSERT_NE(Only(game, "Killable"), nullptr);

    // The lava moves onto the victim's spawn point and kills it there.
    MoveTo(Only(game, "Deadly"), {100.0f, 100.0f});
    ASSERT_TRUE(game.Frames(2));
    ASSERT_TRUE(game.ObjectsWith("Killable").empty());

    game.PressKey(kKeyL);
    ASSERT_TRUE(game.Frame());
    ASSERT_TRUE(game.Frames(5));
    // The fresh victim stands on its spawn point, where the old lava was in
    // its last frame; the fresh lava is back where the data puts it.
    GameObject* victim = Only(game, "Killable");
    ASSERT_NE(victim, nullptr);
    EXPECT_EQ(victim->Get<Position>()->position, (Vec2{100.0f, 100.0f}));
    ASSERT_NE(Only(game, "Deadly"), nullptr);
    EXPECT_EQ(Only(game, "Deadly")->Get<Position>()->position, (Vec2{500.0f, 500.0f}));
}
