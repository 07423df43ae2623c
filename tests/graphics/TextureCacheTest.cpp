#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "DrawLogView.h"
#include "graphics/Graphics.h"
#include "graphics/Sprite.h"
#include "harness/GameScene.h"
#include "harness/HeadlessGame.h"
#include "harness/TempData.h"

namespace {

long Loads(const DrawLog& log, const std::string& image) {
    return std::count_if(log.textureLoads.begin(), log.textureLoads.end(), [&image](const std::string& path) {
        return path.size() >= image.size() && path.compare(path.size() - image.size(), image.size(), image) == 0;
    });
}

class TextureCache : public testing::Test, public GameScene {
protected:
    void SetUp() override {
        data.SolidImage("a.png", 3, 5, 0xFF0000FFU);
        data.Write("Data/Images/empty.png", "");
        data.Write("Data/Images/corrupt.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0", 18));
        data.Archetype("box.txt", "Position end Sprite string name a.png end");
        data.Level("menu.lvl", "box.txt end box.txt end");
        ASSERT_TRUE(game->Start());
    }
};

TEST_F(TextureCache, TwoSpritesOfOneImageShareOneLoad) {
    const DrawLog& log = game->platform.Log();
    EXPECT_EQ(Loads(log, "a.png"), 1);
    ASSERT_EQ(gGraphics->sprites.count, 2);
    Texture* first = gGraphics->sprites.head->texture;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(gGraphics->sprites.tail->texture, first);
    EXPECT_EQ(gGraphics->LoadTexture("a.png"), first);
    EXPECT_EQ(Loads(log, "a.png"), 1);
    EXPECT_EQ(log.liveTextures, 1);
    // Sides rounded up to powers of two.
    EXPECT_EQ(first->Width(), 4U);
    EXPECT_EQ(first->Height(), 8U);
}

TEST_F(TextureCache, LoadsFromTheImageDirectoryWithTheFixedArguments) {
    const auto loads = game->platform.Log().Find("CreateTextureFromFileExA");
    ASSERT_EQ(loads.size(), 1U);
    EXPECT_EQ(loads[0]->text, data.Root() + "Data/Images/a.png");
    EXPECT_EQ(loads[0]->args, (std::vector<std::uint32_t>{0, 0, 1, 0, 21, 1, 1, 0xFFFFFFFFU, 0}));
    ASSERT_EQ(gGraphics->textures.size(), 1U);
    EXPECT_EQ(gGraphics->textures.begin()->first, "a.png");
}

TEST_F(TextureCache, AMissingFileIsTriedAgainEveryTimeAndNeverStored) {
    const DrawLog& log = game->platform.Log();
    // No name, no file: the images folder itself is never opened.
    const std::size_t loadsBefore = log.textureLoads.size();
    EXPECT_EQ(gGraphics->LoadTexture(""), nullptr);
    EXPECT_EQ(log.textureLoads.size(), loadsBefore);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(gGraphics->LoadTexture("missing.png"), nullptr);
        EXPECT_EQ(Loads(log, "missing.png"), i);
    }
    EXPECT_EQ(gGraphics->textures.count("missing.png"), 0U);
    // Once the file exists, the next request finds it.
    data.SolidImage("missing.png", 2, 2, 0xFFFFFFFFU);
    Texture* texture = gGraphics->LoadTexture("missing.png");
    EXPECT_NE(texture, nullptr);
    EXPECT_EQ(gGraphics->LoadTexture("missing.png"), texture);
    EXPECT_EQ(Loads(log, "missing.png"), 4);
}

TEST_F(TextureCache, NamesAreMatchedExactly) {
    Texture* lower = gGraphics->LoadTexture("a.png");
    Texture* upper = gGraphics->LoadTexture("A.png");
    EXPECT_NE(upper, lower);
#ifdef _WIN32
    // The file system ignores case, so the file is found again; the cache
    // still keeps the other spelling apart.
    EXPECT_NE(upper, nullptr);
    EXPECT_EQ(gGraphics->textures.size(), 2U);
#else
    EXPECT_EQ(upper, nullptr);
    EXPECT_EQ(gGraphics->textures.size(), 1U);
#endif
}

TEST_F(TextureCache, EmptyAndCorruptImagesGiveNullAndTheGameGoesOn) {
    EXPECT_EQ(gGraphics->LoadTexture("empty.png"), nullptr);
    EXPECT_EQ(gGraphics->LoadTexture("corrupt.png"), nullptr);
    EXPECT_EQ(gGraphics->textures.size(), 1U);
    EXPECT_TRUE(game->Frame());
}

TEST(TextureCacheSprites, ASpriteWithoutItsImageIsDrawnUntextured) {
    TempData data;
    data.Archetype("box.txt", "Position end Sprite string name gone.png end");
    data.Level("menu.lvl", "box.txt end");
    HeadlessGame game({data.Root()});
    ASSERT_TRUE(game.Start());
    ASSERT_EQ(gGraphics->sprites.count, 1);
    EXPECT_EQ(gGraphics->sprites.head->texture, nullptr);
    const std::size_t mark = game.platform.Log().calls.size();
    game.Frame();
    const auto calls = CallsSince(game.platform.Log(), mark);
    const auto textures = Only(calls, "SetTexture");
    ASSERT_EQ(textures.size(), 1U);
    EXPECT_EQ(textures[0].texture, nullptr);
    EXPECT_EQ(Only(calls, "DrawPrimitive").size(), 1U);
}

}  // namespace
