#pragma once

#include <string>
#include <vector>

// What one run of the checker found.
struct CheckResult {
    // 0 clean, 1 problems found, 2 could not run.
    int exitCode = 0;
    // One "file:line:column: message" per problem, sorted by file and position.
    std::vector<std::string> problems;
    // Why the check could not run or could not read a file (exit code 2).
    std::vector<std::string> errors;
};

// Reads every archetype file in <root>Data/Archetypes/ and every level file
// in <root>Data/Levels/ with the game's own factory and components on a
// headless engine, and collects everything the readers skip, fail on or
// refer to in vain. `root` is the directory holding Data/ ("" = current).
CheckResult CheckData(const std::string& root);

// The levels the game shows as screens rather than play ("menu.lvl",
// "gameend.lvl"). Every other level with an IDAnnouncer or a Controllable
// in it is playable and must hold exactly one player announcer.
bool IsScreenLevel(const std::string& levelFile);
