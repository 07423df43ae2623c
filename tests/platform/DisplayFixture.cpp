#include "platform/DisplayFixture.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "graphics/Graphics.h"
#include "harness/DisplayCheck.h"

void DisplayTest::SetUp() {
    if (const std::string missing = MissingForDisplayTests(false); !missing.empty()) {
        GTEST_SKIP() << missing;
    }
    // Initialised once for the whole program and never shut down: every
    // SDL_Quit would unload Mesa's driver, and leaks inside it would then be
    // reported from an unknown module that no suppression can name.
    static const bool initialised = SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) == 0 && TTF_Init() == 0;
    ASSERT_TRUE(initialised) << SDL_GetError();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

void DisplayTest::TearDown() {}

void WritePng(const TempData& data, const std::string& name, int width, int height,
              const std::function<std::uint32_t(int, int)>& colour) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA8888);
    if (surface == nullptr) {
        throw std::runtime_error(SDL_GetError());
    }
    SDL_LockSurface(surface);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < width; ++x) {
            row[x] = colour(x, y);
        }
    }
    SDL_UnlockSurface(surface);
    const std::string path = data.Root() + "Data/Images/" + name;
    const int result = IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    if (result != 0) {
        throw std::runtime_error(IMG_GetError());
    }
}

std::string BoxEntry(const Box& box) {
    std::ostringstream out;
    out << "box.txt\n  Position Vec2 position " << box.x << ' ' << box.y << " Vec2 size " << box.sx << ' ' << box.sy
        << " float depth " << box.depth << " float rotation " << box.rotation << " end\n  Sprite string name "
        << box.image << " float sort " << box.sort << " end\n"
        << box.extra << "end\n";
    return out.str();
}

void WriteMenu(const TempData& data, const std::vector<Box>& boxes) {
    data.Archetype("box.txt", "Position end\nSprite end\nend\n");
    std::string level;
    for (const Box& box : boxes) {
        level += BoxEntry(box);
    }
    data.Level("menu.lvl", level);
}

GlGame::GlGame(const std::string& dataRoot) {
    Application::Options options;
    options.seed = 1;
    options.dataRoot = dataRoot;
    app = std::make_unique<Application>(platform, options);
}

GlGame::~GlGame() { app->Shutdown(); }

bool GlGame::Start() { return app->Startup(); }

GlDevice* GlGame::Device() const { return gGraphics != nullptr ? dynamic_cast<GlDevice*>(gGraphics->device) : nullptr; }

void GlGame::Read() {
    GlDevice* device = Device();
    ASSERT_NE(device, nullptr);
    width = static_cast<int>(device->BackBufferWidth());
    pixels = device->ReadBackBuffer();
}

std::uint32_t GlGame::At(int x, int y) const {
    return pixels.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) &
           0xFFFFFFU;
}
