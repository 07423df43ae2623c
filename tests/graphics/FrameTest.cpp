#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DrawLogView.h"
#include "graphics/Graphics.h"
#include "harness/HeadlessGame.h"
#include "harness/TempData.h"

namespace {

constexpr int kKeyP = 80;

// One sprite, and one body without a sprite whose outline the overlay draws.
void WriteScene(const TempData& data) {
    data.SolidImage("a.png", 4, 4, 0xFF0000FFU);
    data.Archetype("box.txt", "Position Vec2 position 100 100 end Sprite string name a.png end");
    data.Archetype("block.txt", "Position Vec2 position 640 512 Vec2 size 10 20 end "
                                "Body Shape Rect end Vec2 velocity 30 40 float drag 0 end");
    data.Level("menu.lvl", "box.txt end block.txt end");
}

std::vector<DrawLog::Call> RunFrame(HeadlessGame& game, std::uint32_t ms = 16) {
    const std::size_t mark = game.platform.Log().calls.size();
    game.Frame(ms);
    return CallsSince(game.platform.Log(), mark);
}

TEST(GraphicsFrame, ClearsDrawsEverySpriteAndPresents) {
    TempData data;
    WriteScene(data);
    HeadlessGame game({data.Root()});
    ASSERT_TRUE(game.Start());
    const auto calls = RunFrame(game);
    EXPECT_EQ(Names(calls), (std::vector<std::string>{"Clear", "BeginScene", "SetTransform", "SetTexture",
                                                      "DrawPrimitive", "EndScene", "Present"}));
    EXPECT_EQ(calls[0].args, (std::vector<std::uint32_t>{0, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0}));
    EXPECT_EQ(calls[0].color, 0xFF000000U);
    EXPECT_EQ(calls[2].args, std::vector<std::uint32_t>{D3DTS_WORLD});
    EXPECT_EQ(ImageName(calls[3]), "a.png");
    EXPECT_EQ(calls[4].args, (std::vector<std::uint32_t>{D3DPT_TRIANGLEFAN, 0, 2}));
}

TEST(GraphicsFrame, TheOverlayDrawsBodiesAndTheFrameRateAfterTheSprites) {
    TempData data;
    WriteScene(data);
    HeadlessGame game({data.Root()});
    ASSERT_TRUE(game.Start());
    game.PressKey(kKeyP);
    const auto calls = RunFrame(game);
    const std::vector<std::string> expected = {"Clear",           "BeginScene",      "SetTransform", "SetTexture",
                                               "DrawPrimitive",   "SetTexture",      "SetTransform", "SetFVF",
                                               "DrawPrimitiveUP", "DrawPrimitiveUP", "SetFVF",       "SetStreamSource",
                                               "DrawTextA",       "EndScene",        "Present"};
    ASSERT_EQ(Names(calls), expected);
    EXPECT_EQ(calls[5].texture, nullptr);
    Matrix identity;
    identity.m[0][0] = identity.m[1][1] = identity.m[2][2] = identity.m[3][3] = 1.0f;
    EXPECT_EQ(calls[6].args, std::vector<std::uint32_t>{D3DTS_WORLD});
    EXPECT_EQ(calls[6].matrix, identity);
    EXPECT_EQ(calls[7].args, std::vector<std::uint32_t>{0x42});

    // The body's outline, then its velocity line from the centre.
    EXPECT_EQ(calls[8].args, (std::vector<std::uint32_t>{D3DPT_LINESTRIP, 4, 16}));
    ASSERT_EQ(calls[8].vertices.size(), 5U);
    const auto& outline = calls[8].vertices;
    EXPECT_NEAR(outline[1].x - outline[0].x, 20.0f, 1e-4f);
    EXPECT_NEAR(outline[0].y - outline[2].y, 40.0f, 1e-4f);
    EXPECT_EQ(calls[9].args, (std::vector<std::uint32_t>{D3DPT_LINELIST, 1, 16}));
    ASSERT_EQ(calls[9].vertices.size(), 2U);
    const auto& line = calls[9].vertices;
    EXPECT_NEAR(line[0].x, (outline[0].x + outline[2].x) / 2.0f, 1e-4f);
    EXPECT_NEAR(line[0].y, (outline[0].y + outline[2].y) / 2.0f, 1e-4f);
    EXPECT_NEAR(line[1].x - line[0].x, 30.0f, 1e-4f);
    EXPECT_NEAR(line[1].y - line[0].y, -40.0f, 1e-4f);

    EXPECT_EQ(calls[10].args, std::vector<std::uint32_t>{0x102});
    EXPECT_EQ(calls[11].args, (std::vector<std::uint32_t>{0, 1, 0, 20}));
    const DrawLog::Call& text = calls[12];
    EXPECT_EQ(text.text, "Framerate: 62");
    EXPECT_EQ(text.args, (std::vector<std::uint32_t>{0xFFFFFFFFU, DT_NOCLIP}));
    EXPECT_EQ(text.rect.left, 20);
    EXPECT_EQ(text.rect.top, 20);
    EXPECT_EQ(text.rect.right, 0);
    EXPECT_EQ(text.rect.bottom, 0);
    EXPECT_EQ(text.color, 0xFF000000U);
}

TEST(GraphicsFrame, AZeroTimeFrameShowsARateOfZero) {
    TempData data;
    data.Level("menu.lvl", "");
    HeadlessGame game({data.Root()});
    ASSERT_TRUE(game.Start());
    game.PressKey(kKeyP);
    const auto texts = Only(RunFrame(game, 0), "DrawTextA");
    ASSERT_EQ(texts.size(), 1U);
    EXPECT_EQ(texts[0].text, "Framerate: 0");
}

TEST(GraphicsFrame, FrameRateTextTruncatesTheReciprocalOfOneFrame) {
    EXPECT_EQ(Graphics::FrameRateText(0.016f), "Framerate: 62");
    EXPECT_EQ(Graphics::FrameRateText(0.1f), "Framerate: 10");
    EXPECT_EQ(Graphics::FrameRateText(1.5f), "Framerate: 0");
    // 0.001f is a little above a millisecond: the rate is just below 1000.
    EXPECT_EQ(Graphics::FrameRateText(0.001f), "Framerate: 999");
    EXPECT_EQ(Graphics::FrameRateText(0.25f), "Framerate: 4");
    EXPECT_EQ(Graphics::FrameRateText(0.0f), "Framerate: 0");
    // Below a nanosecond the rate no longer fits the integer it is shown as.
    EXPECT_EQ(Graphics::FrameRateText(1e-20f), "Framerate: 0");
}

TEST(GraphicsFrame, PTogglesTheOverlayAndNoOtherKeyDoes) {
    TempData data;
    data.Level("menu.lvl", "");
    HeadlessGame game({data.Root()});
    ASSERT_TRUE(game.Start());
    auto overlayDrawn = [&game] { return !Only(RunFrame(game), "DrawTextA").empty(); };

    EXPECT_FALSE(overlayDrawn());
    for (int key : {79, 81, 112, 0x26, 0x57}) {
        game.PressKey(key);
    }
    EXPECT_FALSE(overlayDrawn());
    EXPECT_FALSE(gGraphics->debugDraw);

    game.PressKey(kKeyP);
    EXPECT_TRUE(overlayDrawn());
    EXPECT_TRUE(overlayDrawn());
    game.PressKey('O');
    EXPECT_TRUE(overlayDrawn());
    game.PressKey(kKeyP);
    EXPECT_FALSE(overlayDrawn());
    // Twice in one frame: back where it was.
    game.PressKey(kKeyP);
    game.PressKey(kKeyP);
    EXPECT_FALSE(overlayDrawn());
}

}  // namespace
