#include <gtest/gtest.h>

#include <cmath>

#include "DrawLogView.h"
#include "graphics/Graphics.h"
#include "harness/GameScene.h"

namespace {

class DebugPrimitives : public testing::Test, public GameScene {
protected:
    void SetUp() override {
        data.Level("menu.lvl", "");
        ASSERT_TRUE(game->Start());
    }

    // The one DrawPrimitiveUP that `draw` makes.
    template <class F>
    DrawLog::Call Record(F draw) {
        const std::size_t mark = game->platform.Log().calls.size();
        draw();
        const auto calls = CallsSince(game->platform.Log(), mark);
        EXPECT_EQ(calls.size(), 1U);
        return calls.empty() ? DrawLog::Call{} : calls[0];
    }
};

void ExpectVertex(const DebugVertex& v, float x, float y, D3DCOLOR colour) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_EQ(v.z, 1.0f);
    EXPECT_EQ(v.color, colour);
}

TEST_F(DebugPrimitives, ALineIsWhiteBetweenItsEndsInViewSpace) {
    const auto call = Record([] { gGraphics->DrawLine(0.0f, 0.0f, 1280.0f, 1024.0f); });
    EXPECT_EQ(call.name, "DrawPrimitiveUP");
    EXPECT_EQ(call.args, (std::vector<std::uint32_t>{D3DPT_LINELIST, 1, 16}));
    ASSERT_EQ(call.vertices.size(), 2U);
    // The top-left corner of the screen, then the bottom-right.
    ExpectVertex(call.vertices[0], -640.0f, 512.0f, 0xFFFFFFFFU);
    ExpectVertex(call.vertices[1], 640.0f, -512.0f, 0xFFFFFFFFU);
}

TEST_F(DebugPrimitives, ARectangleIsARedClosedStripOfItsFourCorners) {
    const auto call = Record([] { gGraphics->DrawRect(640.0f, 512.0f, 10.0f, 20.0f); });
    EXPECT_EQ(call.args, (std::vector<std::uint32_t>{D3DPT_LINESTRIP, 4, 16}));
    ASSERT_EQ(call.vertices.size(), 5U);
    const float corners[5][2] = {{-10, 20}, {10, 20}, {10, -20}, {-10, -20}, {-10, 20}};
    for (int i = 0; i < 5; ++i) {
        ExpectVertex(call.vertices[i], corners[i][0], corners[i][1], 0xFFFF0000U);
    }
}

TEST_F(DebugPrimitives, ACircleIsTwentyRedSegmentsAtASinglePrecisionStep) {
    const auto call = Record([] { gGraphics->DrawCircle(100.0f, 740.0f, 412.0f); });
    EXPECT_EQ(call.args, (std::vector<std::uint32_t>{D3DPT_LINESTRIP, 20, 16}));
    ASSERT_EQ(call.vertices.size(), 21U);
    // The centre (740, 412) is (100, 100) in view space; game y runs down, so
    // -sin in game space is +sin in view space.
    float angle = 0.0f;
    for (int i = 0; i < 21; ++i) {
        EXPECT_NEAR(call.vertices[i].x, 100.0f + 100.0f * std::cos(angle), 1e-3f) << i;
        EXPECT_NEAR(call.vertices[i].y, 100.0f + 100.0f * std::sin(angle), 1e-3f) << i;
        EXPECT_EQ(call.vertices[i].z, 1.0f);
        EXPECT_EQ(call.vertices[i].color, 0xFFFF0000U);
        angle += 0.31415927f;
    }
    ExpectVertex(call.vertices[0], 200.0f, 100.0f, 0xFFFF0000U);
    // A quarter of the way round: the top of the circle on the screen.
    EXPECT_NEAR(call.vertices[5].x, 100.0f, 1e-3f);
    EXPECT_NEAR(call.vertices[5].y, 200.0f, 1e-3f);
    // The last point closes the outline.
    EXPECT_NEAR(call.vertices[20].x, 200.0f, 1e-3f);
    EXPECT_NEAR(call.vertices[20].y, 100.0f, 1e-3f);
}

}  // namespace
