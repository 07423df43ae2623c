#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "GameplayData.h"
#include "objects/Component.h"
#include "objects/Factory.h"
#include "support/GameScene.h"

namespace {

TEST(Creators, EveryComponentTypeCanBeBuiltByItsNameOnceTheGameHasStarted) {
    GameScene scene{GameplayData};
    ASSERT_TRUE(scene.Start(""));
    const char* names[] = {
        "Controllable", "Clickable",   "IDAnnouncer", "Water",         "Swimmer",        "Killable",
        "Deadly",       "Hole",        "Fireball",    "ObjectThrower", "Cursor",         "MouseTargeting",
        "Snowball",     "Sprite",      "Body",        "Position",      "RandomTargetAI", "TargetFollowingAI",
        "SpittingAI",   "ProgressText"};
    for (const char* name : names) {
        ASSERT_TRUE(gFactory->HasCreator(name)) << name;
        std::unique_ptr<Component> component(gFactory->creators.at(name)());
        ASSERT_NE(component, nullptr) << name;
        EXPECT_EQ(component->typeName, name);
        EXPECT_EQ(component->owner, nullptr);
    }
    EXPECT_FALSE(gFactory->HasCreator("MovementTargetAI"));
    EXPECT_FALSE(gFactory->HasCreator("Projectile"));
}

}  // namespace
