#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/Application.h"
#include "platform/headless/HeadlessPlatform.h"

// The shipped game on the headless backend under random input: frame times
// of 1 to 40 ms on the virtual clock, mouse moves, clicks (mostly on the
// buttons of the live levels), held movement keys, L, P and now and then
// Esc. A game that quits is followed by a fresh engine. Everything random
// comes from the seed, so a run is repeated exactly by its seed.
class SoakRun {
public:
    SoakRun(unsigned seed, std::string dataRoot);
    ~SoakRun();
    SoakRun(const SoakRun&) = delete;
    SoakRun& operator=(const SoakRun&) = delete;

    // Starts the first engine; false when it cannot start.
    bool Start();
    // Time one frame took, in seconds: on the clock, and on the processor
    // for this thread (what the frame itself cost on a busy machine).
    struct Cost {
        double wall = 0.0;
        double cpu = 0.0;
    };
    // Gives one frame its input and runs it. Starts a fresh engine first if
    // the last frame quit; false in `ok` if that fails.
    Cost Frame(bool& ok);

    // The live levels' files, each once, joined by '+', e.g.
    // "level1.lvl+gameend.lvl".
    const std::string& Levels() const { return levels_; }
    std::size_t ObjectCount() const;

    std::uint64_t restarts = 0;
    std::uint64_t levelSwitches = 0;
    std::uint64_t endScreens = 0;
    // A running digest of what every frame left (objects, levels): two runs
    // with the same seed must end with the same value.
    std::uint64_t digest = 1469598103934665603ull;

private:
    bool Launch(unsigned gameSeed);
    void GiveInput();
    bool AimAtAButton(int& x, int& y);
    void NoteLevels();
    void Mix(std::uint64_t value);
    bool Chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_) < p; }

    std::mt19937_64 rng_;
    unsigned seed_;
    std::string dataRoot_;
    std::unique_ptr<HeadlessPlatform> platform_;
    std::unique_ptr<Application> app_;
    bool quit_ = false;
    std::string levels_;
    std::vector<std::string> levelList_;
};
