#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Application.h"
#include "harness/TempData.h"
#include "platform/sdl/GlDevice.h"
#include "platform/sdl/SdlPlatform.h"

// Base of every test that opens a real window: skips without an X display,
// otherwise makes sure SDL video and SDL_ttf are initialised.
class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// The shell prefix for running the game executable from a test: the game's
// own run ends with SDL_Quit, which unloads Mesa's driver, so leak checking
// (when built with the sanitizers) is left to the in-process tests.
constexpr const char* kGameEnvironment = "ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0\" ";

// Writes a PNG of w x h pixels, colour(x, y) as 0xRRGGBBAA, to Data/Images/<name>.
void WritePng(const TempData& data, const std::string& name, int width, int height,
              const std::function<std::uint32_t(int, int)>& colour);

// One level-file entry of the "box.txt" archetype (Position + Sprite).
struct Box {
    float x = 640.0f;
    float y = 512.0f;
    float sx = 10.0f;
    float sy = 10.0f;
    float depth = 5.0f;
    std::string image = "white.png";
    float rotation = 0.0f;
    float sort = -1.0f;
    std::string extra{};  // further component blocks, e.g. a Body
};
std::string BoxEntry(const Box& box);
// Writes the "box.txt" archetype and a menu level made of these entries.
void WriteMenu(const TempData& data, const std::vector<Box>& boxes);

// The whole engine on the SDL platform with its OpenGL device, started on
// a data set and run frame by frame.
class GlGame {
public:
    explicit GlGame(const TempData& data) : GlGame(data.Root()) {}
    // On the data set under `dataRoot` (a directory holding Data/).
    explicit GlGame(const std::string& dataRoot);
    ~GlGame();

    bool Start();
    void Frame() { app->RunFrame(); }
    GlDevice* Device() const;
    // The back buffer after the last frame's Present: 0xRRGGBB per pixel.
    void Read();
    std::uint32_t At(int x, int y) const;

    SdlPlatform platform;
    std::unique_ptr<Application> app;
    std::vector<std::uint32_t> pixels;
    int width = 0;
};

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr std::uint32_t kBlue = 0x0000FF;
