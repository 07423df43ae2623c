#include <gtest/gtest.h>

#include <cmath>

#include "GameplayData.h"
#include "components/MouseTargeting.h"
#include "components/ObjectThrower.h"
#include "core/Messages.h"
#include "game/GameLogic.h"
#include "graphics/Graphics.h"
#include "graphics/Sprite.h"
#include "harness/GameScene.h"
#include "objects/Factory.h"
#include "physics/Body.h"
#include "physics/Position.h"

namespace {

class Aiming : public testing::Test {
protected:
    // The player at (640, 512) and the aiming cursor; `pointer` overrides
    // the cursor's MouseTargeting block.
    void StartWith(const std::string& pointer = "", const std::string& player = "") {
        ASSERT_TRUE(scene.Start("player.txt " + player + " end pointer.txt MouseTargeting " + pointer + " end end"));
        aim = static_cast<MouseTargeting*>(gGameLogic->cursor);
        ASSERT_NE(aim, nullptr);
        ASSERT_EQ(aim->typeName, "MouseTargeting");
        playerObject = scene.First("ObjectThrower");
        thrower = Part<ObjectThrower>(playerObject, "ObjectThrower");
    }

    bool Click(bool left) {
        MouseButtonMessage press(left, true, gGameLogic->mousePosition);
        const std::size_t before = gFactory->objects.size();
        aim->SendMessage(&press);
        return gFactory->objects.size() > before;
    }

    GameScene scene{GameplayData};
    MouseTargeting* aim = nullptr;
    GameObject* playerObject = nullptr;
    ObjectThrower* thrower = nullptr;
};

TEST_F(Aiming, ReloadsOfZeroAreReadyOnlyAfterAFrameWithPositiveTime) {
    StartWith();
    scene.game->MoveMouse(640, 700);
    scene.game->LeftClick();
    scene.game->RightClick();
    scene.Frame(0);
    EXPECT_EQ(scene.Count("Snowball") + scene.Count("Fireball"), 0U);
    EXPECT_EQ(aim->snowballReload, 0.0f);
    // The click of this frame arrives before the countdown.
    scene.game->LeftClick();
    scene.Frame(16);
    EXPECT_EQ(scene.Count("Snowball"), 0U);
    EXPECT_LT(aim->snowballReload, 0.0f);
    scene.game->LeftClick();
    scene.Frame(16);
    EXPECT_EQ(scene.Count("Snowball"), 1U);
    // That frame counted the restarted reload down again: ready.
    EXPECT_TRUE(Click(true));
    // A throw restarts the reload at 0, which is not ready until a countdown.
    EXPECT_EQ(aim->snowballReload, 0.0f);
    EXPECT_FALSE(Click(true));
    scene.Frame(0);
    EXPECT_FALSE(Click(true));
    scene.Frame(16);
    EXPECT_TRUE(Click(true));
    EXPECT_EQ(scene.Count("Snowball"), 3U);
}

TEST_F(Aiming, TheLeftButtonWaitsForTheSnowballEvenWhenTheFireballIsReady) {
    StartWith("float snowballReloadMax 1");
    scene.Frame(16);
    ASSERT_LT(aim->fireballReload, 0.0f);
    const float snowballBefore = aim->snowballReload;
    EXPECT_FALSE(Click(true));
    EXPECT_EQ(aim->snowballReload, snowballBefore);
    EXPECT_LT(aim->fireballReload, 0.0f);
    EXPECT_EQ(thrower->object, "");
}

TEST_F(Aiming, LeftThrowsSnowballsAt800AndRightFireballsAt300FromTheSameThrower) {
    StartWith();
    scene.game->MoveMouse(640, 700);
    scene.Frame(16);
    for (const auto& [left, archetype, speed, kind] :
         {std::tuple{true, "snowball.txt", 800.0f, "Snowball"}, {false, "fireball.txt", 300.0f, "Fireball"}}) {
        ASSERT_TRUE(Click(left));
        EXPECT_EQ(thrower->object, archetype);
        EXPECT_EQ(thrower->speed, speed);
        GameObject* thrown = scene.First(kind);
        ASSERT_NE(thrown, nullptr);
        EXPECT_EQ(Part<Body>(thrown, "Body")->velocity.x, 0.0f);
        EXPECT_NEAR(Part<Body>(thrown, "Body")->velocity.y, speed, 1e-3f);
        EXPECT_EQ(thrown->level, playerObject->level);
    }
    // Button releases never throw.
    MouseButtonMessage release(true, false, gGameLogic->mousePosition);
    scene.Frame(16);
    const std::size_t before = gFactory->objects.size();
    aim->SendMessage(&release);
    EXPECT_EQ(gFactory->objects.size(), before);
}

TEST_F(Aiming, TheCursorShowsWhichProjectilesAreReady) {
    StartWith("float fireballReloadMax 1 float snowballReloadMax 1");
    Sprite* sprite = Part<Sprite>(gGameLogic->cursor->owner, "Sprite");
    ASSERT_NE(sprite, nullptr);
    const auto texture = [](const char* name) { return gGraphics->textures.at(name); };
    EXPECT_EQ(sprite->texture, texture("cursor.png"));
    const struct {
        float fire;
        float snow;
        const char* image;
    } states[] = {{-1, -1, "bothcursor.png"}, {-1, 1, "firecursor.png"}, {1, -1, "snowcursor.png"},
                  {1, 1, "cursor.png"},       {0, 0, "cursor.png"},      {-0.001f, 0, "firecursor.png"}};
    for (const auto& state : states) {
        aim->fireballReload = state.fire;
        aim->snowballReload = state.snow;
        aim->Update(0.0f);
        EXPECT_EQ(sprite->texture, texture(state.image)) << state.fire << " " << state.snow;
    }
    // And the frames count the reloads down into the ready states.
    aim->fireballReload = 0.01f;
    aim->snowballReload = 0.5f;
    scene.Frame(16);
    EXPECT_EQ(sprite->texture, texture("firecursor.png"));
}

TEST_F(Aiming, TheCursorFollowsTheMouse) {
    StartWith();
    scene.game->MoveMouse(300, 400);
    scene.Frame();
    EXPECT_EQ(aim->transform->position, Vec2(300.0f, 400.0f));
}

bool AllFinite() {
    for (const auto& [id, object] : gFactory->objects) {
        if (auto* body = object->Get<Body>()) {
            for (float v : {body->position.x, body->position.y, body->velocity.x, body->velocity.y}) {
                if (!std::isfinite(v)) {
                    return false;
                }
            }
        }
        if (auto* position = object->Get<Position>()) {
            if (!std::isfinite(position->position.x) || !std::isfinite(position->position.y)) {
                return false;
            }
        }
    }
    return true;
}

TEST_F(Aiming, AimingAtThePlayersCentreThrowsNothingButStillRestartsTheReload) {
    StartWith("float fireballReloadMax 0.5 float snowballReloadMax 0.5");
    scene.game->MoveMouse(640, 512);
    scene.Frames(20, 30);
    ASSERT_LT(aim->fireballReload, 0.0f);
    EXPECT_FALSE(Click(false));
    EXPECT_EQ(aim->fireballReload, 0.5f);
    EXPECT_FALSE(Click(true));
    EXPECT_EQ(aim->snowballReload, 0.5f);
    scene.Frames(5);
    EXPECT_EQ(scene.Count("Fireball") + scene.Count("Snowball"), 0U);
    EXPECT_TRUE(AllFinite());
}

TEST_F(Aiming, APlayerWithoutAThrowerIgnoresTheClickAndKeepsTheReload) {
    scene.data.Archetype("unarmed.txt", "Position end IDAnnouncer bool player true end");
    ASSERT_TRUE(scene.Start("unarmed.txt end pointer.txt end"));
    aim = static_cast<MouseTargeting*>(gGameLogic->cursor);
    scene.Frame(16);
    const float before = aim->snowballReload;
    ASSERT_LT(before, 0.0f);
    EXPECT_FALSE(Click(true));
    EXPECT_EQ(aim->snowballReload, before);
}

TEST_F(Aiming, NoPlayerIgnoresTheClick) {
    ASSERT_TRUE(scene.Start("pointer.txt end"));
    aim = static_cast<MouseTargeting*>(gGameLogic->cursor);
    scene.Frame(16);
    const float before = aim->fireballReload;
    EXPECT_FALSE(Click(false));
    EXPECT_EQ(aim->fireballReload, before);
}

TEST_F(Aiming, MissingSiblingsAreSkippedWithoutACrash) {
    scene.data.Archetype("bare.txt", "MouseTargeting end");
    scene.data.Archetype("nosprite.txt", "Position end MouseTargeting end");
    scene.data.Archetype("faceless.txt", "Body float mass 1 Shape Circle end end ObjectThrower end "
                                         "IDAnnouncer bool player true end");
    ASSERT_TRUE(scene.Start("faceless.txt end bare.txt end"));
    aim = static_cast<MouseTargeting*>(gGameLogic->cursor);
    scene.game->MoveMouse(100, 100);
    scene.Frame(16);
    // No cursor position and no player position: nothing to aim along.
    EXPECT_FALSE(Click(true));
    EXPECT_FALSE(Click(false));
    GameObject* second = scene.Spawn("nosprite.txt");
    aim = static_cast<MouseTargeting*>(gGameLogic->cursor);
    ASSERT_EQ(aim->owner, second);
    scene.Frame(16);
    EXPECT_EQ(aim->transform->position, Vec2(100.0f, 100.0f));
    EXPECT_FALSE(Click(true));
    scene.Frames(2);
    EXPECT_EQ(scene.Count("Snowball"), 0U);
}

class Throwing : public testing::Test {
protected:
    void SetUp() override {
        scene.data.Archetype("box.txt", "Position Vec2 position 200 300 Vec2 size 10 10 end "
                                        "Body float mass 1 Shape Rect end end ObjectThrower end");
        scene.data.Archetype("shapeless.txt", "Position Vec2 position 200 300 end Body float mass 1 end "
                                              "ObjectThrower end");
        scene.data.Archetype("bodiless.txt", "Position end ObjectThrower string object fireball.txt end");
        ASSERT_TRUE(scene.Start("player.txt end"));
        playerObject = scene.First("IDAnnouncer");
        thrower = Part<ObjectThrower>(playerObject, "ObjectThrower");
        thrower->object = "fireball.txt";
    }

    GameScene scene{GameplayData};
    GameObject* playerObject = nullptr;
    ObjectThrower* thrower = nullptr;
};

TEST_F(Throwing, TheProjectileInheritsTheThrowersVelocity) {
    thrower->body->velocity = {50.0f, 0.0f};
    GameObject* thrown = thrower->Throw({0.0f, 1.0f});
    ASSERT_NE(thrown, nullptr);
    EXPECT_EQ(Part<Body>(thrown, "Body")->velocity, Vec2(50.0f, 300.0f));
    // The direction is normalized first.
    thrown = thrower->Throw({0.0f, 7.0f});
    ASSERT_NE(thrown, nullptr);
    EXPECT_EQ(Part<Body>(thrown, "Body")->velocity.x, 50.0f);
    EXPECT_NEAR(Part<Body>(thrown, "Body")->velocity.y, 300.0f, 1e-3f);
}

TEST_F(Throwing, ACircleThrowerStartsTheProjectileJustOutsideItself) {
    GameObject* thrown = thrower->Throw({1.0f, 0.0f});
    ASSERT_NE(thrown, nullptr);
    const Vec2 at = Part<Position>(thrown, "Position")->position;
    // 1.1 x (radius 10 + projectile size 5).
    EXPECT_NEAR(at.x - 640.0f, 16.5f, 1e-4f);
    EXPECT_EQ(at.y, 512.0f);
    // It is placed, initialized and simulated from where it was put.
    Body* body = Part<Body>(thrown, "Body");
    EXPECT_TRUE(body->IsRegistered());
    EXPECT_EQ(body->position, at);
    EXPECT_EQ(thrown->level, playerObject->level);
}

TEST_F(Throwing, RectangleAndShapelessThrowersStartItAtTheirCentre) {
    for (const char* archetype : {"box.txt", "shapeless.txt"}) {
        GameObject* box = scene.Spawn(archetype);
        auto* boxThrower = Part<ObjectThrower>(box, "ObjectThrower");
        boxThrower->object = "snowball.txt";
        GameObject* thrown = boxThrower->Throw({3.0f, 4.0f});
        ASSERT_NE(thrown, nullptr) << archetype;
        EXPECT_EQ(Part<Position>(thrown, "Position")->position, Vec2(200.0f, 300.0f)) << archetype;
        const Vec2 v = Part<Body>(thrown, "Body")->velocity;
        EXPECT_NEAR(v.x, 180.0f, 1e-3f);
        EXPECT_NEAR(v.y, 240.0f, 1e-3f);
    }
}

TEST_F(Throwing, NothingIsThrownWithoutABodyALevelOrAnArchetype) {
    const std::size_t before = gFactory->objects.size();
    GameObject* bodiless = scene.Spawn("bodiless.txt");
    EXPECT_EQ(Part<ObjectThrower>(bodiless, "ObjectThrower")->Throw({1.0f, 0.0f}), nullptr);

    GameObject* detached = gFactory->CreateObject("box.txt");
    detached->Initialize();
    auto* detachedThrower = Part<ObjectThrower>(detached, "ObjectThrower");
    detachedThrower->object = "fireball.txt";
    EXPECT_EQ(detachedThrower->Throw({1.0f, 0.0f}), nullptr);
    detached->Destroy();

    thrower->object = "nothing.txt";
    EXPECT_EQ(thrower->Throw({1.0f, 0.0f}), nullptr);
    EXPECT_EQ(gFactory->objects.size(), before + 2);
    scene.Frame();
}

}  // namespace
