// Frames per second of the engine drawing N sprites with the OpenGL device
// of the SDL platform (the whole frame: game logic, physics, drawing and
// Present), with the device's batching of sprite draws on and off. Needs
// an X display: bash scripts/xvfb.sh build/bench/gl/gl_sprites_bench
#include <SDL.h>
#include <SDL_ttf.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "core/Application.h"
#include "graphics/Graphics.h"
#include "harness/TempData.h"
#include "platform/sdl/GlDevice.h"
#include "platform/sdl/SdlPlatform.h"

namespace {
// A data set of `count` 32 x 32 sprites spread over the screen at depths 2..9.
void WriteDataSet(const TempData& data, int count) {
    data.SolidImage("ball.png", 32, 32, 0x3080C0C0U);
    data.Archetype("ball.txt", "Position Vec2 size 16 16 end\nSprite string name ball.png end\nend\n");
    std::ostringstream level;
    unsigned state = 12345;
    auto next = [&state](unsigned range) {
        state = state * 1103515245U + 12345U;
        return (state >> 8) % range;
    };
    for (int i = 0; i < count; ++i) {
        level << "ball.txt Position Vec2 position " << next(1280) << ' ' << next(1024) << " float depth " << 2 + next(8)
              << " float rotation " << static_cast<float>(next(628)) / 100.0f << " end end\n";
    }
    data.Level("menu.lvl", level.str());
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_DrawSprites(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TempData data;
    WriteDataSet(data, count);
    SdlPlatform platform;
    Application::Options options;
    options.seed = 1;
    options.dataRoot = data.Root();
    Application app(platform, options);
    if (!app.Startup()) {
        state.SkipWithError("cannot start the game on the OpenGL device");
        return;
    }
    gGraphics->debugDraw = state.range(1) != 0;
    auto* device = dynamic_cast<GlDevice*>(gGraphics->device);
    if (device == nullptr) {
        state.SkipWithError("the render device is not the OpenGL one");
        app.Shutdown();
        return;
    }
    device->SetBatching(state.range(2) != 0);
    // Drawing throughput: frames as fast as they come.
    device->SetPresentInterval(D3DPRESENT_INTERVAL_IMMEDIATE);
    static bool printed = false;
    if (!printed) {
        std::printf("GL_RENDERER: %s\n", device->RendererName().c_str());
        printed = true;
    }
    app.RunFrame();  // the first frame uploads the texture
    const double cpuBefore = ProcessCpuSeconds();
    for (auto _ : state) {
        app.RunFrame();
    }
    // All threads' time (the software rasteriser's too): the work a frame
    // costs, which other processes on the machine slow down less than fps.
    state.counters["cpu_ms_per_frame"] =
        (ProcessCpuSeconds() - cpuBefore) * 1000.0 / static_cast<double>(std::max<std::int64_t>(state.iterations(), 1));
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["sprites"] = static_cast<double>(gGraphics->sprites.count);
    app.Shutdown();
}
BENCHMARK(BM_DrawSprites)
    ->ArgsProduct({{0, 1000, 5000, 20000}, {0}, {0, 1}})
    ->Args({1000, 1, 0})
    ->Args({1000, 1, 1})
    ->ArgNames({"sprites", "overlay", "batching"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
}  // namespace

int main(int argc, char** argv) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        std::fprintf(stderr, "gl_sprites_bench: DISPLAY is not set; run it under an X server (scripts/xvfb.sh)\n");
        return 1;
    }
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0 || TTF_Init() != 0) {
        std::fprintf(stderr, "gl_sprites_bench: cannot initialise SDL: %s\n", SDL_GetError());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    TTF_Quit();
    SDL_Quit();
    return 0;
}
