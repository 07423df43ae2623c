#include <gtest/gtest.h>

#include "core/Core.h"
#include "game/GameLogic.h"
#include "harness/HeadlessGame.h"
#include "harness/TempData.h"
#include "objects/Factory.h"

TEST(Startup, EmptyDataSetStartsOnAnEmptyMenuAndQuitsOnClose) {
    TempData data;
    data.Level("menu.lvl", "");
    HeadlessGame game({data.Root()});
    ASSERT_TRUE(game.Start());
    EXPECT_EQ(game.platform.WindowTitle(), "VelmorWindowClass");
    EXPECT_EQ(game.platform.WindowClass(), "Velmor");
    EXPECT_EQ(game.platform.WindowWidth(), 1280);
    EXPECT_EQ(game.platform.WindowHeight(), 1024);
    EXPECT_TRUE(game.platform.WindowVisible());
    EXPECT_EQ(game.LevelNames(), std::vector<std::string>{"menu.lvl"});
    EXPECT_TRUE(game.Frame());
    game.platform.Close();
    EXPECT_FALSE(game.Frame());
    game.Shutdown();
    EXPECT_EQ(gCore, nullptr);
    EXPECT_EQ(gFactory, nullptr);
    EXPECT_EQ(gGameLogic, nullptr);
}
