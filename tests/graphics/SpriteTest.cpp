#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "DrawLogView.h"
#include "core/Matrix.h"
#include "graphics/Graphics.h"
#include "graphics/Sprite.h"
#include "harness/GameScene.h"
#include "harness/HeadlessGame.h"
#include "harness/TempData.h"
#include "objects/GameObject.h"
#include "physics/Position.h"

namespace {

// A level of sprites over "box.txt"; each entry is the override text of one
// object, and every sprite names its own image so the draws can be told apart.
class SpriteScene : public GameScene {
public:
    explicit SpriteScene(const std::vector<std::string>& entries) {
        data.Archetype("box.txt", "Position Vec2 position 100 200 Vec2 size 10 20 end Sprite end");
        std::string level;
        for (const std::string& entry : entries) {
            level += "box.txt " + entry + " end\n";
        }
        for (const char* image : {"a.png", "b.png", "c.png", "d.png"}) {
            data.SolidImage(image, 2, 2, 0xFFFFFFFFU);
        }
        data.Level("menu.lvl", level);
    }

    std::vector<DrawLog::Call> Frame() {
        const std::size_t mark = game->platform.Log().calls.size();
        game->Frame();
        return CallsSince(game->platform.Log(), mark);
    }

    Sprite* ByImage(const std::string& image) {
        for (Sprite* sprite = gGraphics->sprites.head; sprite != nullptr; sprite = sprite->drawNext) {
            if (sprite->name == image) {
                return sprite;
            }
        }
        return nullptr;
    }

    // The world matrix each sprite's draw set, by image.
    Matrix WorldOf(const std::vector<DrawLog::Call>& calls, const std::string& image) {
        for (std::size_t i = 1; i < calls.size(); ++i) {
            if (calls[i].name == "SetTexture" && ImageName(calls[i]) == image && calls[i - 1].name == "SetTransform") {
                return calls[i - 1].matrix;
            }
        }
        ADD_FAILURE() << "no draw of " << image;
        return {};
    }
};

std::string Named(const std::string& image, const std::string& extra = "") {
    return "Sprite string name " + image + " " + extra + " end";
}

TEST(SpriteOrder, LargerSortKeysAreDrawnFirst) {
    SpriteScene scene({Named("a.png", "float sort 2"), Named("b.png", "float sort 7"), Named("c.png", "float sort 4")});
    ASSERT_TRUE(scene.game->Start());
    EXPECT_EQ(DrawnImages(scene.Frame()), (std::vector<std::string>{"b.png", "c.png", "a.png"}));
    EXPECT_EQ(gGraphics->sprites.count, 3);
}

TEST(SpriteOrder, AmongEqualKeysTheLaterInitializedIsDrawnFirst) {
    SpriteScene scene({Named("a.png", "float sort 3"), Named("b.png", "float sort 3"), Named("c.png", "float sort 9"),
                       Named("d.png", "float sort 3")});
    ASSERT_TRUE(scene.game->Start());
    EXPECT_EQ(DrawnImages(scene.Frame()), (std::vector<std::string>{"c.png", "d.png", "b.png", "a.png"}));
}

TEST(SpriteOrder, WithoutAKeyOrWithMinusOneThePositionDepthIsTheKey) {
    SpriteScene scene({"Position float depth 6 end " + Named("a.png", "float sort -1"),
                       Named("b.png", "float sort 5.5"), "Position float depth 3 end " + Named("c.png"),
                       Named("d.png", "float sort 7")});
    ASSERT_TRUE(scene.game->Start());
    EXPECT_EQ(scene.ByImage("a.png")->sort, 6.0f);
    EXPECT_EQ(scene.ByImage("c.png")->sort, 3.0f);
    EXPECT_EQ(DrawnImages(scene.Frame()), (std::vector<std::string>{"d.png", "a.png", "b.png", "c.png"}));
}

TEST(SpriteOrder, ALaterDepthChangeMovesTheSpriteInZButNotInTheList) {
    SpriteScene scene({Named("a.png"), "Position float depth 3 end " + Named("b.png")});
    ASSERT_TRUE(scene.game->Start());
    scene.ByImage("a.png")->position->depth = 2.0f;
    const auto calls = scene.Frame();
    EXPECT_EQ(DrawnImages(calls), (std::vector<std::string>{"a.png", "b.png"}));
    EXPECT_EQ(scene.WorldOf(calls, "a.png").m[3][2], 2.0f);
    EXPECT_EQ(scene.WorldOf(calls, "b.png").m[3][2], 3.0f);
}

TEST(SpriteOrder, ADestroyedSpriteLeavesTheListWithItsNeighboursJoined) {
    SpriteScene scene({Named("a.png", "float sort 1"), Named("b.png", "float sort 2"), Named("c.png", "float sort 3")});
    ASSERT_TRUE(scene.game->Start());
    scene.ByImage("b.png")->owner->Destroy();
    // Still drawn in the frame of the request; gone from the next one.
    EXPECT_EQ(DrawnImages(scene.Frame()), (std::vector<std::string>{"c.png", "b.png", "a.png"}));
    EXPECT_EQ(DrawnImages(scene.Frame()), (std::vector<std::string>{"c.png", "a.png"}));
    EXPECT_EQ(gGraphics->sprites.count, 2);
    EXPECT_EQ(scene.ByImage("c.png")->drawNext, scene.ByImage("a.png"));
    EXPECT_EQ(scene.ByImage("a.png")->drawPrev, scene.ByImage("c.png"));
    scene.ByImage("c.png")->owner->Destroy();
    scene.Frame();
    EXPECT_EQ(gGraphics->sprites.head, scene.ByImage("a.png"));
    EXPECT_EQ(gGraphics->sprites.tail, scene.ByImage("a.png"));
    EXPECT_EQ(scene.ByImage("a.png")->drawPrev, nullptr);
}

TEST(SpriteWorld, AnUnrotatedSpriteIsScaledThenMovedToItsCorner) {
    SpriteScene scene({"Position float depth 4 end " + Named("a.png")});
    ASSERT_TRUE(scene.game->Start());
    const Matrix world = scene.WorldOf(scene.Frame(), "a.png");
    // Scaling(20, 40, 1) x Translation(100 - 10 - 640, 20 - 200 + 512, 4).
    Matrix expected;
    expected.m[0][0] = 20.0f;
    expected.m[1][1] = 40.0f;
    expected.m[2][2] = 1.0f;
    expected.m[3][0] = -550.0f;
    expected.m[3][1] = 332.0f;
    expected.m[3][2] = 4.0f;
    expected.m[3][3] = 1.0f;
    EXPECT_EQ(world, expected);

    // The quad's corners land on the rectangle's corners in view space.
    const Vec4 topLeft = TransformPoint(world, 0.0f, 0.0f, 0.0f);
    const Vec4 bottomRight = TransformPoint(world, 1.0f, -1.0f, 0.0f);
    EXPECT_FLOAT_EQ(topLeft.x + 640.0f, 90.0f);
    EXPECT_FLOAT_EQ(512.0f - topLeft.y, 180.0f);
    EXPECT_FLOAT_EQ(bottomRight.x + 640.0f, 110.0f);
    EXPECT_FLOAT_EQ(512.0f - bottomRight.y, 220.0f);
}

TEST(SpriteWorld, ARotatedSpriteIsCentredRotatedAndMoved) {
    const float r = 0.5f;
    SpriteScene scene({"Position float rotation 0.5 float depth 4 end " + Named("a.png")});
    ASSERT_TRUE(scene.game->Start());
    const Matrix world = scene.WorldOf(scene.Frame(), "a.png");
    // S(2sx, 2sy) x K(-sx, sy) x R(r) x T(x - 640, 512 - y, d), multiplied out.
    const float c = std::cos(r);
    const float s = std::sin(r);
    const float sx = 10.0f;
    const float sy = 20.0f;
    const float expected[4][4] = {{2 * sx * c, 2 * sx * s, 0, 0},
                                  {-2 * sy * s, 2 * sy * c, 0, 0},
                                  {0, 0, 1, 0},
                                  {-sx * c - sy * s + (100 - 640), -sx * s + sy * c + (512 - 200), 4, 1}};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            EXPECT_NEAR(world.m[i][j], expected[i][j], 1e-3f) << i << "," << j;
        }
    }
    // It turns about its centre.
    const Vec4 centre = TransformPoint(world, 0.5f, -0.5f, 0.0f);
    EXPECT_NEAR(centre.x, 100.0f - 640.0f, 1e-3f);
    EXPECT_NEAR(centre.y, 512.0f - 200.0f, 1e-3f);
}

TEST(SpriteWorld, AQuarterTurnIsCounterClockwiseOnTheScreen) {
    SpriteScene scene({"Position float rotation 1.5707964 end " + Named("a.png")});
    ASSERT_TRUE(scene.game->Start());
    const Matrix world = scene.WorldOf(scene.Frame(), "a.png");
    // The image's top-left corner goes to the bottom-left: (x - sy, y + sx).
    const Vec4 corner = TransformPoint(world, 0.0f, 0.0f, 0.0f);
    EXPECT_NEAR(corner.x + 640.0f, 80.0f, 1e-3f);
    EXPECT_NEAR(512.0f - corner.y, 210.0f, 1e-3f);
}

TEST(SpriteWorld, BothFormulasPlaceAnUnrotatedSpriteAlike) {
    SpriteScene scene({Named("a.png"), "Position float rotation 1e-30 end " + Named("b.png")});
    ASSERT_TRUE(scene.game->Start());
    const auto calls = scene.Frame();
    const Matrix shortcut = scene.WorldOf(calls, "a.png");
    const Matrix general = scene.WorldOf(calls, "b.png");
    const Matrix composed =
        Multiply(Multiply(Multiply(Scaling(20.0f, 40.0f, 1.0f), Translation(-10.0f, 20.0f, 0.0f)), RotationZ(0.0f)),
                 Translation(100.0f - 640.0f, 512.0f - 200.0f, 5.0f));
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            EXPECT_FLOAT_EQ(shortcut.m[i][j], composed.m[i][j]) << i << "," << j;
            EXPECT_NEAR(general.m[i][j], shortcut.m[i][j], 1e-4f) << i << "," << j;
        }
    }
}

TEST(SpriteWorld, TheDefaultSizeDrawsTwoByTwoUnits) {
    TempData data;
    data.SolidImage("a.png", 2, 2, 0xFFFFFFFFU);
    data.Archetype("dot.txt", "Position Vec2 position 640 512 end Sprite string name a.png end");
    data.Level("menu.lvl", "dot.txt end");
    HeadlessGame game({data.Root()});
    ASSERT_TRUE(game.Start());
    const std::size_t mark = game.platform.Log().calls.size();
    game.Frame();
    const auto transforms = Only(CallsSince(game.platform.Log(), mark), "SetTransform");
    ASSERT_EQ(transforms.size(), 1U);
    EXPECT_EQ(transforms[0].matrix.m[0][0], 2.0f);
    EXPECT_EQ(transforms[0].matrix.m[1][1], 2.0f);
    // Centred on the back buffer: its corner one unit up and left of the centre.
    EXPECT_EQ(transforms[0].matrix.m[3][0], -1.0f);
    EXPECT_EQ(transforms[0].matrix.m[3][1], 1.0f);
}

TEST(SpriteWithoutPosition, StaysInTheListButDrawsNothing) {
    TempData data;
    data.SolidImage("a.png", 2, 2, 0xFFFFFFFFU);
    data.SolidImage("b.png", 2, 2, 0xFFFFFFFFU);
    data.Archetype("ghost.txt", "Sprite string name a.png float sort 2 end");
    data.Archetype("ghost2.txt", "Sprite string name a.png end");
    data.Archetype("box.txt", "Position end Sprite string name b.png end");
    data.Level("menu.lvl", "ghost.txt end box.txt end ghost2.txt end");
    HeadlessGame game({data.Root()});
    ASSERT_TRUE(game.Start());
    EXPECT_EQ(gGraphics->sprites.count, 3);
    // No depth to take: the key stays -1 and the sprite sorts last.
    EXPECT_EQ(gGraphics->sprites.tail->sort, -1.0f);
    EXPECT_EQ(gGraphics->sprites.tail->position, nullptr);
    const std::size_t mark = game.platform.Log().calls.size();
    game.Frames(2);
    const auto calls = CallsSince(game.platform.Log(), mark);
    EXPECT_EQ(Only(calls, "DrawPrimitive").size(), 2U);
    EXPECT_EQ(DrawnImages(calls), (std::vector<std::string>{"b.png", "b.png"}));
}

}  // namespace
