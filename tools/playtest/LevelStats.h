#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "LevelRun.h"

// The figures of one level over many seeds, standing still and with the bot.
struct LevelStats {
    std::string level;
    std::uint32_t limitMs = 0;
    std::vector<LevelRun> idle;
    std::vector<LevelRun> bot;
};

// Runs `level` once per seed 1..seeds in both ways; false when a run could
// not start the level.
bool PlayLevel(const std::string& dataRoot, const std::string& level, unsigned seeds, std::uint32_t limitMs,
               LevelStats& stats);
// A Markdown table, one row per level.
void PrintTable(const std::vector<LevelStats>& levels, std::ostream& out);
