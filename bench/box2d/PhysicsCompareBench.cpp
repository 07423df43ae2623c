// The same scenes stepped by the reference physics step, the fast physics
// step and Box2D 2.4 (no gravity, no sleeping, 60 Hz, 8 velocity and 3
// position iterations). Prints ns per step and the ratios at the end.

#include <benchmark/benchmark.h>
#include <box2d/box2d.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "bench/box2d/BenchScene.h"

namespace {

constexpr float kStep = 1.0f / 60.0f;
constexpr int kWarmUp = 20;

// Drag 0.01 per step as linear damping: Box2D scales v by 1 / (1 + h c).
constexpr float kDamping = (1.0f / 0.99f - 1.0f) * 60.0f;

class Box2dScene {
public:
    explicit Box2dScene(const std::vector<BodyPlan>& bodies) : world_(b2Vec2(0.0f, 0.0f)) {
        world_.SetAllowSleeping(false);
        for (const BodyPlan& planned : bodies) {
            b2BodyDef def;
            def.type = planned.mass == 0.0f ? b2_staticBody : b2_dynamicBody;
            def.position.Set(planned.position.x, planned.position.y);
            def.linearVelocity.Set(planned.velocity.x, planned.velocity.y);
            def.linearDamping = kDamping;
            def.fixedRotation = true;  // the engine's rectangles never turn
            b2Body* body = world_.CreateBody(&def);
            b2FixtureDef fixture;
            b2PolygonShape box;
            b2CircleShape circle;
            float area = 0.0f;
            if (planned.kind == ShapeCircle) {
                circle.m_radius = planned.size.x;
                fixture.shape = &circle;
                area = b2_pi * planned.size.x * planned.size.x;
            } else {
                box.SetAsBox(planned.size.x, planned.size.y);
                fixture.shape = &box;
                area = 4.0f * planned.size.x * planned.size.y;
            }
            fixture.density = planned.mass == 0.0f ? 0.0f : planned.mass / area;
            fixture.friction = 0.0f;
            fixture.restitution = 0.9f;
            body->CreateFixture(&fixture);
        }
    }
    void Step() { world_.Step(kStep, 8, 3); }
    int32 Contacts() const { return world_.GetContactCount(); }

private:
    b2World world_;
};

std::vector<BodyPlan> Scene(const std::string& name, int count) {
    return name == "pile" ? bench::MakePile(count) : bench::MakeField(count, bench::FixedOverlapScale(count));
}

// ns per step by scene, then by stepper.
std::map<std::string, std::map<std::string, double>>& Results() {
    static std::map<std::string, std::map<std::string, double>> results;
    return results;
}

template <class Stepper>
void Measure(benchmark::State& state, const std::string& key, const std::string& stepper, Stepper&& step) {
    double total = 0.0;
    std::int64_t steps = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        step();
        total += std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
        ++steps;
    }
    Results()[key][stepper] = total / static_cast<double>(steps);
}

void BM_Engine(benchmark::State& state, std::string scene, PhysicsStepper stepper) {
    const int count = static_cast<int>(state.range(0));
    // Warmed up with the fast step: it gives the reference's very state.
    const auto engine = bench::MakeWorld(Scene(scene, count), PhysicsStepper::Fast);
    for (int i = 0; i < kWarmUp; ++i) {
        engine->Step(kStep);
    }
    engine->physics->stepper = stepper;
    Measure(state, scene + "/" + std::to_string(count), stepper == PhysicsStepper::Fast ? "fast" : "reference",
            [&] { engine->Step(kStep); });
}

void BM_Box2d(benchmark::State& state, std::string scene) {
    const int count = static_cast<int>(state.range(0));
    Box2dScene world(Scene(scene, count));
    for (int i = 0; i < kWarmUp; ++i) {
        world.Step();
    }
    Measure(state, scene + "/" + std::to_string(count), "box2d", [&] { world.Step(); });
    state.counters["contacts"] = world.Contacts();
}

void Register() {
    for (const std::string scene : {"field", "pile"}) {
        for (const int count : {1000, 5000, 10000}) {
            benchmark::RegisterBenchmark(("Reference/" + scene).c_str(), BM_Engine, scene, PhysicsStepper::Reference)
                ->Arg(count)
                ->MinTime(count >= 5000 ? 0.05 : 0.3);
            benchmark::RegisterBenchmark(("Fast/" + scene).c_str(), BM_Engine, scene, PhysicsStepper::Fast)->Arg(count);
            benchmark::RegisterBenchmark(("Box2d/" + scene).c_str(), BM_Box2d, scene)->Arg(count);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    Register();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n%-12s %14s %14s %14s %12s %12s\n", "scene", "reference ns", "fast ns", "box2d ns", "ref/fast",
                "box2d/fast");
    for (const auto& [scene, times] : Results()) {
        // A named reference: clang 14 lambdas cannot capture a structured binding.
        const auto& byStepper = times;
        auto get = [&](const char* name) {
            const auto it = byStepper.find(name);
            return it == byStepper.end() ? 0.0 : it->second;
        };
        const double reference = get("reference");
        const double fast = get("fast");
        const double box2d = get("box2d");
        std::printf("%-12s %14.0f %14.0f %14.0f %12.1f %12.2f\n", scene.c_str(), reference, fast, box2d,
                    fast > 0 ? reference / fast : 0.0, fast > 0 ? box2d / fast : 0.0);
    }
    return 0;
}
