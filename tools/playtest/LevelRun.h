#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "DeathLedger.h"
#include "LevelStart.h"

// One game of one level on the headless engine at a fixed frame rate.
struct LevelRun {
    // Standing still, the scripted bot of the tests, or the bot playing as
    // a person new to the game would.
    enum class Player { Idle, Bot, Novice };
    struct Options {
        std::string dataRoot;
        std::string level;
        unsigned seed = 1;
        Player player = Player::Idle;
        std::uint32_t limitMs = 120000;
        unsigned hz = 60;
    };

    // Whether the level could be played, and why not.
    LevelStart start;
    bool Started() const { return start.outcome == LevelStart::Outcome::Playing; }
    bool won = false;
    bool lost = false;
    // Time of the end (win or loss), or the limit.
    std::uint32_t endMs = 0;
    // When a moving counted creature first touched the player's start
    // circle (standing still, that is the player); none if it never did.
    std::optional<std::uint32_t> firstReachMs;
    std::map<Cause, int> deaths;
    // Counted objects killed by hazards in the first 30 seconds.
    int earlyHazardDeaths = 0;
};

LevelRun RunLevel(const LevelRun::Options& options);

// The length in milliseconds of frame `frame` (0, 1, ...) of a clock that runs
// `hz` frames a second on a millisecond clock: whole milliseconds whose sum
// stays within one of frame × 1000 / hz (17, 17, 16 at 60 Hz).
std::uint32_t FrameLength(std::uint32_t frame, unsigned hz);
