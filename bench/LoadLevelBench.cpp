// Loading a generated level of 1,000 and 10,000 objects through the real
// factory and level on the headless engine: objects per second, and how the
// time per object changes from the small level to the large one (1.0 is
// linear growth).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core/Application.h"
#include "game/GameLogic.h"
#include "game/Level.h"
#include "harness/TempData.h"
#include "objects/Factory.h"
#include "platform/headless/HeadlessPlatform.h"

namespace fs = std::filesystem;

namespace {

const char* const kArchetypes[][2] = {
    {"crate.txt", "Position Vec2 size 16 16 float depth 5 end\nBody float mass 4 Shape Rect end end\n"
                  "Sprite string name crate.png end\nKillable end\nend\n"},
    {"rock.txt", "Position Vec2 size 12 12 float depth 4 end\nBody float mass 0 Shape Circle end end\n"
                 "Sprite string name rock.png end\nDeadly end\nend\n"},
    {"wanderer.txt", "Position Vec2 size 10 10 float depth 3 end\nBody float mass 1 Shape Circle end end\n"
                     "Sprite string name wanderer.png end\nRandomTargetAI float speed 50 end\nSwimmer end\n"
                     "IDAnnouncer end\nend\n"},
    {"pool.txt", "Position Vec2 size 40 40 float depth 6 end\nBody Shape Rect end bool resolve false end\n"
                 "Sprite string name pool.png end\nWater float drag 2 end\nend\n"},
};

// Archetypes dated as a data set that was not written just now (a file
// modified in the last seconds is read again on every use), their images
// and an empty menu.
class BenchData : public TempData {
public:
    BenchData() {
        for (const auto& archetype : kArchetypes) {
            Archetype(archetype[0], archetype[1]);
            std::error_code ignored;
            fs::last_write_time(Root() + "Data/Archetypes/" + archetype[0],
                                fs::file_time_type::clock::now() - std::chrono::hours(1), ignored);
        }
        for (const char* image : {"crate.png", "rock.png", "wanderer.png", "pool.png"}) {
            SolidImage(image, 1, 1, 0xFFFFFFFFU);
        }
        Level("menu.lvl", "");
    }
    // A level of `count` objects cycling through the archetypes, each moved
    // to its own place by an override; `oneDepth` also puts them all at one
    // depth (the archetypes have four).
    std::string BigLevel(int count, bool oneDepth) const {
        const std::string name = "big" + std::to_string(count) + (oneDepth ? "flat" : "") + ".lvl";
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += kArchetypes[i % 4][0];
            text += " Position Vec2 position " + std::to_string(i % 1280) + " " + std::to_string((i / 1280) * 8);
            text += oneDepth ? " float depth 5 end end\n" : " end end\n";
        }
        Level(name, text);
        return name;
    }
};

// The engine the benchmark loads into, started once.
struct Engine {
    Engine() {
        Application::Options options;
        options.seed = 1;
        options.dataRoot = data.Root();
        app.emplace(platform, options);
        if (!app->Startup()) {
            std::abort();
        }
    }
    ~Engine() { app->Shutdown(); }
    BenchData data;
    HeadlessPlatform platform;
    std::optional<Application> app;
};

Engine& TheEngine() {
    static Engine engine;
    return engine;
}

void LoadLevel(benchmark::State& state, bool oneDepth) {
    Engine& engine = TheEngine();
    const int count = static_cast<int>(state.range(0));
    const std::string file = engine.data.BigLevel(count, oneDepth);
    for (auto _ : state) {
        auto level = std::make_unique<Level>(file);
        level->Load();
        state.PauseTiming();
        if (level->objects.count != count) {
            state.SkipWithError("the level did not load every object");
        }
        level.reset();  // dooms and detaches its objects
        gFactory->Update(0.0f);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["objects_per_second"] =
        benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate);
}

// Sprites of four depths, as a real level has them.
void BM_LoadLevel(benchmark::State& state) { LoadLevel(state, false); }
// The same objects at one depth: each sprite then joins the draw list at once.
void BM_LoadLevelOneDepth(benchmark::State& state) { LoadLevel(state, true); }
BENCHMARK(BM_LoadLevel)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadLevelOneDepth)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Prints the usual table, then the time per object of the large level over
// that of the small one.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Iteration) {
                const std::string name = run.benchmark_name();
                perObject[name] = run.GetAdjustedRealTime() / static_cast<double>(ArgOf(name));
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    static long ArgOf(const std::string& name) {
        const std::size_t slash = name.find('/');
        return slash == std::string::npos ? 1 : std::stol(name.substr(slash + 1));
    }
    std::map<std::string, double> perObject;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* name : {"BM_LoadLevel", "BM_LoadLevelOneDepth"}) {
        const auto small = reporter.perObject.find(std::string(name) + "/1000/real_time");
        const auto large = reporter.perObject.find(std::string(name) + "/10000/real_time");
        if (small != reporter.perObject.end() && large != reporter.perObject.end() && small->second > 0.0) {
            std::printf("%s: time per object, 10000 over 1000: %.2f (1.00 = linear)\n", name,
                        large->second / small->second);
        }
    }
    benchmark::Shutdown();
    return 0;
}
