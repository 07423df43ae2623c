#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "Handling.h"
#include "LevelRun.h"

// The figures of one level over many seeds: standing still, with the
// scripted bot and with the novice.
struct LevelStats {
    std::string level;
    std::uint32_t limitMs = 0;
    unsigned hz = 60;
    // Whether the level could be played; a row says why not.
    LevelStart start;
    Handling handling;
    std::vector<LevelRun> idle;
    std::vector<LevelRun> bot;
    std::vector<LevelRun> novice;
};

// Runs `level` once per seed 1..seeds in the three ways at `hz` frames a second,
// and measures how its player handles; false (with `stats.start` saying
// why) when the level could not be played.
bool PlayLevel(const std::string& dataRoot, const std::string& level, unsigned seeds, std::uint32_t limitMs,
               unsigned hz, LevelStats& stats);
// A Markdown table, one row per level.
void PrintTable(const std::vector<LevelStats>& levels, std::ostream& out);
