// Pixels of the OpenGL device, drawn through the engine (Graphics, Sprite,
// Position from a data set) and read back from the 1280 x 1024 back buffer
// after the frame's Present.
#include <SDL.h>

#include <cmath>

#include "core/Core.h"
#include "core/Messages.h"
#include "graphics/Graphics.h"
#include "platform/DisplayFixture.h"

namespace {
class GlPixels : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        WritePng(data, "white.png", 16, 16, [](int, int) { return 0xFFFFFFFFU; });
        WritePng(data, "green.png", 16, 16, [](int, int) { return 0x00FF00FFU; });
        WritePng(data, "red.png", 16, 16, [](int, int) { return 0xFF0000FFU; });
        // Top half red, bottom half blue.
        WritePng(data, "updown.png", 16, 16, [](int, int y) { return y < 8 ? 0xFF0000FFU : 0x0000FFFFU; });
        // 3 x 3: its texture is 4 x 4 with a transparent margin.
        WritePng(data, "odd.png", 3, 3, [](int, int) { return 0xFFFFFFFFU; });
    }

    void TearDown() override {
        game.reset();
        DisplayTest::TearDown();
    }

    // Starts the game on these boxes and draws one frame.
    void Draw(const std::vector<Box>& boxes, bool overlay = false) {
        WriteMenu(data, boxes);
        game = std::make_unique<GlGame>(data);
        ASSERT_TRUE(game->Start());
        if (overlay) {
            gGraphics->debugDraw = true;
        }
        game->Frame();
        game->Read();
    }

    // Every pixel of the rectangle [x0, x1) x [y0, y1) whose colour is
    // `inside` exactly where `covered` says, and `outside` elsewhere.
    void ExpectCoverage(int x0, int y0, int x1, int y1, std::uint32_t inside,
                        const std::function<bool(int, int)>& covered, std::uint32_t outside = kBlack) {
        int wrong = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const std::uint32_t expected = covered(x, y) ? inside : outside;
                if (game->At(x, y) != expected && ++wrong <= 5) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << game->At(x, y)
                                  << ", expected " << expected;
                }
            }
        }
        EXPECT_EQ(wrong, 0);
    }

    TempData data;
    std::unique_ptr<GlGame> game;
};
}  // namespace

TEST_F(GlPixels, CentredSpriteCoversExactlyItsTwentyByTwentyPixels) {
    Draw({Box{}});
    ExpectCoverage(600, 480, 680, 550, kWhite, [](int x, int y) { return x >= 630 && x < 650 && y >= 502 && y < 522; });
}

TEST_F(GlPixels, OriginIsTheTopLeftCorner) {
    Draw({{.x = 10.0f, .y = 10.0f}});
    ExpectCoverage(0, 0, 40, 40, kWhite, [](int x, int y) { return x < 20 && y < 20; });
}

TEST_F(GlPixels, ImageTopRowIsAtTheTopAndPositiveRotationTurnsCounterClockwise) {
    Draw({{.x = 320.0f, .sx = 100.0f, .sy = 100.0f, .image = "updown.png"},
          {.x = 960.0f, .sx = 100.0f, .sy = 100.0f, .image = "updown.png", .rotation = 1.5707964f}});
    EXPECT_EQ(game->At(320, 450), kRed);
    EXPECT_EQ(game->At(320, 570), kBlue);
    // A quarter turn counter-clockwise moves the top half to the left.
    EXPECT_EQ(game->At(900, 512), kRed);
    EXPECT_EQ(game->At(1020, 512), kBlue);
    EXPECT_EQ(game->At(930, 450), kRed);
    EXPECT_EQ(game->At(930, 570), kRed) << "after the turn the halves split left and right";
}

// Direct3D 9's pixel centres lie on whole screen coordinates, half a pixel
// left of and above OpenGL's; the device draws as Direct3D 9 does.
TEST_F(GlPixels, EdgesOnHalfPixelsCoverAsWithDirect3DNinesPixelCentres) {
    // An edge on a half pixel leaves out the pixel whose centre it passes
    // by half a pixel: from 630.5 the first covered column is 631.
    Draw({{.x = 640.5f, .y = 512.5f}});
    ExpectCoverage(620, 490, 660, 535, kWhite, [](int x, int y) { return x >= 631 && x < 651 && y >= 503 && y < 523; });
}

TEST_F(GlPixels, TexelsAreSampledAtWholePixelCoordinates) {
    // Four texels stretched over 15 pixels: pixel i of the sprite samples
    // u = i / 15, where OpenGL's centres would sample (i + 0.5) / 15 and
    // move the third boundary (pixel 11.25) a pixel to the left.
    const std::uint32_t stripes[] = {0xFF0000FFU, 0x00FF00FFU, 0x0000FFFFU, 0xFFFFFFFFU};
    WritePng(data, "columns.png", 4, 4, [&](int x, int) { return stripes[x]; });
    WritePng(data, "rows.png", 4, 4, [&](int, int y) { return stripes[y]; });
    // Columns from x = 393 to 408, rows from y = 505 to 520.
    Draw({{.x = 400.5f, .sx = 7.5f, .sy = 7.5f, .image = "columns.png"},
          {.x = 800.5f, .y = 512.5f, .sx = 7.5f, .sy = 7.5f, .image = "rows.png"}});
    const std::uint32_t colours[] = {kRed, kGreen, kBlue, kWhite};
    for (int i = 0; i < 15; ++i) {
        const std::uint32_t expected = colours[i * 4 / 15];
        EXPECT_EQ(game->At(393 + i, 512), expected) << "column " << i;
        EXPECT_EQ(game->At(800, 505 + i), expected) << "row " << i;
    }
}

TEST_F(GlPixels, DepthsOutsideOneToTenAreClipped) {
    Draw({{.x = 200.0f, .depth = 0.5f},
          {.x = 400.0f, .depth = 10.5f},
          {.x = 600.0f, .depth = 1.5f},
          {.x = 800.0f, .depth = 9.5f}});
    EXPECT_EQ(game->At(200, 512), kBlack);
    EXPECT_EQ(game->At(400, 512), kBlack);
    EXPECT_EQ(game->At(600, 512), kWhite);
    EXPECT_EQ(game->At(800, 512), kWhite);
}

TEST_F(GlPixels, NonPowerOfTwoImageShowsItsTransparentMargin) {
    Draw({{.sx = 200.0f, .sy = 200.0f, .depth = 9.0f, .image = "red.png"},
          {.sx = 40.0f, .sy = 40.0f, .depth = 5.0f, .image = "odd.png"}});
    // 80 x 80 pixels from (600, 472): the 3 x 3 image fills three quarters
    // of each side; the transparent (not black) margin shows the backdrop.
    ExpectCoverage(
        600, 472, 680, 552, kWhite, [](int x, int y) { return x < 660 && y < 532; }, kRed);
}

TEST_F(GlPixels, NearerSpriteDrawnFirstHidesAFartherOneDrawnAfterIt) {
    // The largest sort key is drawn first: the nearer boxes, then the far one.
    Draw({{.sx = 400.0f, .sy = 100.0f, .depth = 8.0f, .image = "red.png", .sort = 1.0f},
          {.sx = 50.0f, .sy = 50.0f, .depth = 2.0f, .image = "green.png", .sort = 9.0f},
          {.x = 300.0f, .sx = 40.0f, .sy = 40.0f, .depth = 2.0f, .image = "odd.png", .sort = 8.0f}});
    EXPECT_EQ(game->At(640, 512), kGreen);
    EXPECT_EQ(game->At(560, 512), kRed);
    EXPECT_EQ(game->At(280, 500), kWhite);
    // A transparent texel still writes depth: the margin of the nearer
    // sprite keeps the farther one out and shows the cleared black.
    EXPECT_EQ(game->At(330, 500), kBlack);
    EXPECT_EQ(game->At(350, 500), kRed);
}

TEST_F(GlPixels, DebugOverlayDrawsRedOutlinesAndWhiteVelocities) {
    // At depth 20 the sprites themselves are clipped away.
    Draw({{.x = 300.0f,
           .y = 300.0f,
           .sx = 50.0f,
           .sy = 50.0f,
           .depth = 20.0f,
           .image = "missing.png",
           .extra = "  Body Vec2 velocity 100 0 Shape Rect end end\n"},
          {.x = 800.0f,
           .y = 300.0f,
           .sx = 40.0f,
           .sy = 40.0f,
           .depth = 20.0f,
           .image = "missing.png",
           .extra = "  Body Shape Circle end end\n"}},
         true);
    auto anyIn = [&](int x0, int y0, int x1, int y1, std::uint32_t colour) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (game->At(x, y) == colour) return true;
        return false;
    };
    // The rectangle's top edge at y = 250 (the body may have moved a few
    // pixels to the right during the frame, never up or down).
    EXPECT_TRUE(anyIn(295, 248, 305, 253, kRed));
    EXPECT_FALSE(anyIn(290, 270, 310, 290, kRed)) << "the outline is not filled";
    // The velocity line from the centre, 100 units to the right.
    EXPECT_TRUE(anyIn(355, 298, 365, 303, kWhite));
    // The circle's rightmost point (840, 300) and its top (800, 260).
    EXPECT_TRUE(anyIn(836, 296, 844, 305, kRed));
    EXPECT_TRUE(anyIn(796, 256, 805, 264, kRed));
    EXPECT_FALSE(anyIn(790, 290, 810, 310, kRed));
}

TEST_F(GlPixels, FrameRateTextIsDrawnBlackFromTwentyTwenty) {
    Draw({{.sx = 640.0f, .sy = 512.0f, .depth = 9.0f}}, true);
    int black = 0;
    int top = 1024;
    int left = 1280;
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 640; ++x) {
            if (game->At(x, y) != kWhite) {
                ++black;
                top = std::min(top, y);
                left = std::min(left, x);
            }
        }
    }
    EXPECT_GT(black, 200) << "\"Framerate: ...\" in a 40-pixel bold face";
    EXPECT_GE(top, 20);
    EXPECT_LE(top, 34);
    EXPECT_GE(left, 20);
    EXPECT_LE(left, 26);
    EXPECT_EQ(game->At(30, 100), kWhite) << "the text ends within its 40-pixel cell";
}

TEST_F(GlPixels, TextureLoadingRoundsToPowersOfTwoAndFailsCleanlyOnBadFiles) {
    WritePng(data, "three-by-five.png", 3, 5, [](int, int) { return 0x123456FFU; });
    data.Write("Data/Images/empty.png", "");
    data.Write("Data/Images/corrupt.png", "\x89PNG\r\n\x1a\n this is not an image");
    Draw({});
    RenderDevice* device = gGraphics->device;
    auto load = [&](const std::string& name, Texture** texture, D3DXIMAGE_INFO* info) {
        const std::string path = data.Root() + "Data/Images/" + name;
        return device->CreateTextureFromFileExA(path.c_str(), 0, 0, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                                D3DX_FILTER_NONE, D3DX_DEFAULT, 0, info, nullptr, texture);
    };
    Texture* texture = nullptr;
    D3DXIMAGE_INFO info;
    ASSERT_FALSE(Failed(load("three-by-five.png", &texture, &info)));
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->Width(), 4U);
    EXPECT_EQ(texture->Height(), 8U);
    EXPECT_EQ(info.Width, 3U);
    EXPECT_EQ(info.Height, 5U);
    texture->Release();
    for (const char* name : {"nothing-here.png", "empty.png", "corrupt.png"}) {
        Texture* bad = reinterpret_cast<Texture*>(&info);
        EXPECT_TRUE(Failed(load(name, &bad, nullptr))) << name;
        EXPECT_EQ(bad, nullptr) << name;
    }
    EXPECT_EQ(gGraphics->LoadTexture("nothing-here.png"), nullptr);
    EXPECT_EQ(gGraphics->textures.count("nothing-here.png"), 0U);
}

TEST_F(GlPixels, ClearedFrameIsOpaqueBlackAndViewportIsTheBackBuffer) {
    Draw({});
    D3DVIEWPORT9 viewport;
    ASSERT_EQ(gGraphics->device->GetViewport(&viewport), D3D_OK);
    EXPECT_EQ(viewport.X, 0U);
    EXPECT_EQ(viewport.Y, 0U);
    EXPECT_EQ(viewport.Width, 1280U);
    EXPECT_EQ(viewport.Height, 1024U);
    ASSERT_EQ(game->pixels.size(), 1280U * 1024U);
    for (std::uint32_t pixel : game->pixels) {
        ASSERT_EQ(pixel, 0xFF000000U);
    }
}

namespace {
// Draws the current scene with batching off, then on, with the same frame
// time (so the same frame-rate text), and expects the same framebuffer.
// Returns the OpenGL draw calls of the batched frame.
std::uint64_t ExpectBatchingKeepsEveryPixel(GlGame& game, int minimumLit) {
    GlDevice* device = game.Device();
    if (device == nullptr) {
        ADD_FAILURE() << "no OpenGL device";
        return 0;
    }
    device->SetBatching(false);
    gGraphics->Update(1.0f / 60.0f);
    const std::vector<std::uint32_t> separate = device->ReadBackBuffer();
    device->SetBatching(true);
    const std::uint64_t drawsBefore = device->OpenGlDraws();
    gGraphics->Update(1.0f / 60.0f);
    const std::uint64_t draws = device->OpenGlDraws() - drawsBefore;
    const std::vector<std::uint32_t> batched = device->ReadBackBuffer();
    EXPECT_EQ(separate.size(), batched.size());
    const std::size_t width = device->BackBufferWidth();
    int lit = 0;
    int differing = 0;
    for (std::size_t i = 0; i < separate.size() && i < batched.size(); ++i) {
        lit += (separate[i] & 0xFFFFFFU) != 0 ? 1 : 0;
        if (separate[i] != batched[i] && ++differing <= 5) {
            ADD_FAILURE() << "pixel (" << i % width << ", " << i / width << ") is " << std::hex << batched[i]
                          << " batched, " << separate[i] << " drawn one by one";
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GE(lit, minimumLit) << "the scene must show something to compare";
    return draws;
}
}  // namespace

TEST_F(GlPixels, BatchedSpritesOfSeveralImagesDepthsAndTurnsMatchSeparateDrawsPixelForPixel) {
    WritePng(data, "glass.png", 8, 8, [](int x, int y) { return (x + y) % 3 == 0 ? 0x00FFFF80U : 0xFF00FF40U; });
    WritePng(data, "checks.png", 5, 7, [](int x, int y) { return (x + y) % 2 == 0 ? 0xFFFF00FFU : 0x0000FFFFU; });
    const char* const images[] = {"white.png", "green.png",  "updown.png", "odd.png",
                                  "glass.png", "checks.png", "missing.png"};
    std::vector<Box> boxes;
    unsigned state = 2024;
    const auto next = [&state](unsigned range) {
        state = state * 1103515245U + 12345U;
        return (state >> 8) % range;
    };
    for (int i = 0; i < 3000; ++i) {
        Box box;
        // Whole, half and arbitrary coordinates; edges on and off pixels.
        box.x = static_cast<float>(next(1400)) - 60.0f + static_cast<float>(next(4)) * 0.25f +
                (i % 7 == 0 ? static_cast<float>(next(1000)) / 997.0f : 0.0f);
        box.y = static_cast<float>(next(1150)) - 60.0f + static_cast<float>(next(3)) * 0.5f;
        box.sx = 1.0f + static_cast<float>(next(60)) + static_cast<float>(next(8)) * 0.125f;
        box.sy = 1.0f + static_cast<float>(next(60)) + static_cast<float>(next(5)) * 0.1f;
        box.depth = 0.5f + static_cast<float>(next(200)) / 20.0f;  // some clipped at either end
        box.rotation = i % 3 == 0 ? 0.0f : static_cast<float>(next(6284)) / 1000.0f - 3.142f;
        // Runs of one image at nearby depths, and lone ones between them.
        box.image = images[i % 5 == 0 ? next(7) : static_cast<unsigned>(box.depth) % 7];
        if (i % 11 == 0) {
            box.sort = static_cast<float>(next(10));  // drawn out of depth order
        }
        boxes.push_back(box);
    }
    // Long thin turned sprites, drawn last, each with a corner on the
    // screen whose x is a sum of two terms of about 512 that cancel, one
    // just above and one just below 512: the order of the additions shows
    // in the pixels.
    for (int i = 0; i < 150; ++i) {
        Box sliver;
        do {
            sliver.rotation = static_cast<float>(next(6284)) / 1000.0f - 3.142f;
        } while (std::fabs(std::cos(sliver.rotation)) < 0.3f);
        const float c = std::cos(sliver.rotation);
        const float s = std::sin(sliver.rotation);
        // The term 2 sx cos(r) * 2 / 1280 just above 512 in size.
        const float term = 512.01f + static_cast<float>(next(390)) / 1000.0f;
        sliver.sx = term * 320.0f / std::fabs(c);
        sliver.sy = 1.5f + static_cast<float>(next(4));
        sliver.depth = 1.5f;
        sliver.sort = 0.0f;
        sliver.image = images[next(7)];
        // The corner that the unit quad's (1, -1) lands on, on the side of
        // the screen that keeps the other term below 512.
        const float side = c > 0.0f ? 1.0f : -1.0f;
        const float cx = 640.0f + side * (320.0f + static_cast<float>(next(250)));
        const float cy = 100.0f + static_cast<float>(next(824));
        sliver.x = cx - (sliver.sx * c + sliver.sy * s);
        sliver.y = cy + (sliver.sx * s - sliver.sy * c);
        boxes.push_back(sliver);
    }
    Draw(boxes);
    const std::uint64_t draws = ExpectBatchingKeepsEveryPixel(*game, 500000);
    EXPECT_LT(draws, 1500U) << "3000 sprites gathered into fewer draws";
}

TEST_F(GlPixels, BatchedShippedLevelWithTheOverlayMatchesSeparateDrawsPixelForPixel) {
    game = std::make_unique<GlGame>(SourceRoot());
    ASSERT_TRUE(game->Start());
    game->Frame();
    LevelMessage play(MsgSwitchLevel, "level2.lvl");
    gCore->BroadcastMessage(&play);
    for (int i = 0; i < 30; ++i) {
        game->Frame();
    }
    gGraphics->debugDraw = true;
    ExpectBatchingKeepsEveryPixel(*game, 100000);
}
