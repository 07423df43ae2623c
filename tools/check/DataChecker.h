#pragma once

#include <cstddef>
#include <string>
#include <vector>

// What one run of the checker found.
struct CheckResult {
    // 0 clean, 1 problems found, 2 could not run.
    int exitCode = 0;
    // One "file:line:column: message" per problem, sorted by file and
    // position; past the cap, one "file: N more problems in this file".
    std::vector<std::string> problems;
    // Every problem found, including those past the cap.
    std::size_t problemCount = 0;
    // Why the check could not run or could not read a file (exit code 2).
    std::vector<std::string> errors;
};

// Reads every archetype file in <root>Data/Archetypes/ and every level file
// in <root>Data/Levels/ with the game's own factory and components on a
// headless engine, and collects everything the readers skip, fail on or
// refer to in vain. `root` is the directory holding Data/ ("" = current).
// Unless `all`, at most kReportsPerFile problems are listed per file.
CheckResult CheckData(const std::string& root, bool all = false);

inline constexpr std::size_t kReportsPerFile = 100;

// The levels the game shows as screens rather than play ("menu.lvl",
// "gameend.lvl"). Every other level with an IDAnnouncer or a Controllable
// in it is playable and must hold exactly one player announcer.
bool IsScreenLevel(const std::string& levelFile);
