// One physics step of a walled 1280 x 1024 field of mixed circles and
// rectangles, every other body movable: 8..24 units across for up to 1,000
// bodies, smaller beyond so that the overlap rate stays the same.

#include <benchmark/benchmark.h>

#include "bench/box2d/BenchScene.h"

namespace {

void BM_PhysicsStep(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const auto world = bench::MakeWorld(bench::MakeField(count, bench::FixedOverlapScale(count)));
    // Let the initial overlaps settle into a steady state first.
    for (int i = 0; i < 30; ++i) {
        world->Step(1.0f / 60.0f);
    }
    for (auto _ : state) {
        world->Step(1.0f / 60.0f);
    }
    state.counters["bodies"] = static_cast<double>(world->physics->bodies.count);
}

}  // namespace

BENCHMARK(BM_PhysicsStep)->Arg(100)->Arg(1000)->Arg(5000);

BENCHMARK_MAIN();
