#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "DrawLogView.h"
#include "core/Core.h"
#include "graphics/Graphics.h"
#include "graphics/Sprite.h"
#include "harness/HeadlessGame.h"
#include "harness/TempData.h"
#include "objects/Factory.h"
#include "platform/Platform.h"

namespace {

Matrix IdentityByHand() {
    Matrix m;
    m.m[0][0] = m.m[1][1] = m.m[2][2] = m.m[3][3] = 1.0f;
    return m;
}

TEST(GraphicsInitialize, CreatesTheDeviceAndEveryResourceInOrder) {
    TempData data;
    data.Level("menu.lvl", "");
    HeadlessGame game({data.Root()});
    ASSERT_TRUE(game.Start());
    const DrawLog& log = game.platform.Log();
    const std::vector<std::string> expected = {
        "CreateDevice",         "SetTransform",   "SetTransform",       "SetTransform",
        "SetVertexShader",      "SetFVF",         "SetRenderState",     "SetRenderState",
        "SetRenderState",       "SetRenderState", "SetRenderState",     "SetRenderState",
        "SetTextureStageState", "CreateFontA",    "CreateVertexBuffer", "SetStreamSource"};
    ASSERT_EQ(Names(log.calls), expected);

    // Adapter, HAL, software vertex processing; 1280 x 1024 desktop-format
    // back buffer, discard, windowed, D16 depth, default interval.
    EXPECT_EQ(log.calls[0].args, (std::vector<std::uint32_t>{0, 1, 0x40, 1280, 1024, 0, 1, 1, 1, 80, 0}));

    Matrix projection;
    projection.m[0][0] = 2.0f / 1280.0f;
    projection.m[1][1] = 2.0f / 1024.0f;
    projection.m[2][2] = 1.0f / 9.0f;
    projection.m[3][2] = -1.0f / 9.0f;
    projection.m[3][3] = 1.0f;
    EXPECT_EQ(log.calls[1].args, std::vector<std::uint32_t>{D3DTS_PROJECTION});
    EXPECT_EQ(log.calls[1].matrix, projection);
    EXPECT_EQ(log.calls[2].args, std::vector<std::uint32_t>{D3DTS_WORLD});
    EXPECT_EQ(log.calls[2].matrix, IdentityByHand());
    EXPECT_EQ(log.calls[3].args, std::vector<std::uint32_t>{D3DTS_VIEW});
    EXPECT_EQ(log.calls[3].matrix, IdentityByHand());
    EXPECT_EQ(log.calls[4].args, std::vector<std::uint32_t>{0});
    EXPECT_EQ(log.calls[5].args, std::vector<std::uint32_t>{0x102});

    const std::vector<std::vector<std::uint32_t>> states = {{22, 1}, {137, 0}, {27, 1}, {19, 5}, {20, 6}, {7, 1}};
    for (std::size_t i = 0; i < states.size(); ++i) {
        EXPECT_EQ(log.calls[6 + i].args, states[i]) << "render state " << i;
    }
    EXPECT_EQ(log.calls[12].args, (std::vector<std::uint32_t>{0, 4, 4}));

    EXPECT_EQ(log.calls[13].args, (std::vector<std::uint32_t>{40, 0, 700, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(log.calls[13].text, "Arial");
    EXPECT_EQ(log.calls[14].args, (std::vector<std::uint32_t>{80, 8, 0x102, 1}));
    EXPECT_EQ(log.calls[15].args, (std::vector<std::uint32_t>{0, 1, 0, 20}));

    EXPECT_TRUE(game.platform.WindowVisible());
    EXPECT_TRUE(gFactory->HasCreator("Sprite"));
}

TEST(GraphicsInitialize, TheQuadBufferHoldsTheFourCornersOfTheUnitQuad) {
    TempData data;
    data.Level("menu.lvl", "");
    HeadlessGame game({data.Root()});
    ASSERT_TRUE(game.Start());
    // The debug pass rebinds the quad; the log keeps the bytes it holds then.
    game.PressKey(80);
    game.Frame();
    const auto binds = game.platform.Log().Find("SetStreamSource");
    ASSERT_FALSE(binds.empty());
    const std::string& bytes = binds.back()->text;
    ASSERT_EQ(bytes.size(), 80U);
    float v[20];
    std::memcpy(v, bytes.data(), sizeof v);
    const float expected[20] = {0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 1, -1, 0, 1, 1, 0, -1, 0, 0, 1};
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(v[i], expected[i]) << "float " << i;
    }
}

class DeviceFailure : public testing::TestWithParam<HeadlessPlatform::Failure> {};

TEST_P(DeviceFailure, StartupFailsWithOneLineAndTearsEverythingDown) {
    TempData data;
    data.Level("menu.lvl", "");
    HeadlessGame game({data.Root()});
    game.platform.SetFailure(GetParam());
    testing::internal::CaptureStderr();
    const bool started = game.Start();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(started);
    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
    EXPECT_EQ(err.rfind("velmor: ", 0), 0U) << err;
    EXPECT_EQ(gCore, nullptr);
    EXPECT_EQ(gGraphics, nullptr);
    EXPECT_EQ(gFactory, nullptr);
    EXPECT_EQ(gPlatform, nullptr);
    EXPECT_TRUE(game.platform.WindowDestroyed());
    EXPECT_EQ(game.platform.Log().liveTextures, 0);
    EXPECT_FALSE(game.Frame());
    EXPECT_EQ(game.platform.Log().presents, 0U);
}

INSTANTIATE_TEST_SUITE_P(EveryResource, DeviceFailure,
                         testing::Values(HeadlessPlatform::Failure::Direct3D, HeadlessPlatform::Failure::Device,
                                         HeadlessPlatform::Failure::Font, HeadlessPlatform::Failure::VertexBuffer));

TEST(GraphicsDestructor, UnbindsTheStreamReleasesTexturesAndUnlinksSurvivingSprites) {
    TempData data;
    data.SolidImage("a.png", 4, 4, 0xFF0000FFU);
    HeadlessPlatform platform;
    gPlatform = &platform;
    WindowHandle window = platform.CreateMainWindow("Velmor", "VelmorWindowClass", 1280, 1024, nullptr);
    // Declared before the system: they outlive it, as a sprite whose object
    // was not yet deleted would.
    Sprite first;
    Sprite second;
    auto graphics = std::make_unique<Graphics>(window);
    graphics->SetDataRoot(data.Root());
    std::string error;
    ASSERT_TRUE(graphics->TryInitialize(error)) << error;
    first.name = "a.png";
    first.Initialize();
    second.name = "a.png";
    second.Initialize();
    ASSERT_EQ(graphics->sprites.count, 2);
    ASSERT_NE(first.texture, nullptr);
    EXPECT_EQ(platform.Log().liveTextures, 1);

    const std::size_t mark = platform.Log().calls.size();
    graphics.reset();
    const auto calls = CallsSince(platform.Log(), mark);
    ASSERT_EQ(calls.size(), 1U);
    EXPECT_EQ(calls[0].name, "SetStreamSource");
    EXPECT_EQ(calls[0].args, (std::vector<std::uint32_t>{0, 0, 0, 0}));
    EXPECT_EQ(platform.Log().liveTextures, 0);
    EXPECT_EQ(gGraphics, nullptr);
    for (Sprite* sprite : {&first, &second}) {
        EXPECT_EQ(sprite->drawNext, nullptr);
        EXPECT_EQ(sprite->drawPrev, nullptr);
        EXPECT_FALSE(sprite->InDrawList());
    }
    platform.DestroyMainWindow(window, "Velmor");
    gPlatform = nullptr;
}

TEST(GraphicsDestructor, AGameShutdownReleasesEveryTexture) {
    TempData data;
    data.SolidImage("a.png", 4, 4, 0xFF0000FFU);
    data.SolidImage("b.png", 8, 2, 0x00FF00FFU);
    data.Archetype("box.txt", "Position end Sprite string name a.png end");
    data.Level("menu.lvl", "box.txt end box.txt Sprite string name b.png end end");
    HeadlessGame game({data.Root()});
    ASSERT_TRUE(game.Start());
    game.Frame();
    EXPECT_EQ(game.platform.Log().liveTextures, 2);
    game.Shutdown();
    EXPECT_EQ(game.platform.Log().liveTextures, 0);
    const auto& calls = game.platform.Log().calls;
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().name, "SetStreamSource");
    EXPECT_EQ(calls.back().args, (std::vector<std::uint32_t>{0, 0, 0, 0}));
}

}  // namespace
