#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "LevelStats.h"
#include "MenuLevels.h"

namespace {
void Usage(std::FILE* out) {
    std::fputs("usage: velmor-playtest [--seeds N] [--limit SECONDS] [--hz N] [data-root [level.lvl ...]]\n"
               "Plays each level (default: every level the menu links that has a player) on the\n"
               "headless engine at N frames a second (--hz, default 60), seeds 1..N (default 20),\n"
               "once standing still and once with the scripted bot, each game up to the limit\n"
               "(default 120 s), measures the player's top speed and how far it coasts, and\n"
               "prints a table; a level that cannot be played gets a row that says why.\n"
               "Exit status: 0 done, 1 a level could not be played, 2 unreadable data or bad\n"
               "arguments.\n",
               out);
}

bool Readable(const std::string& path) {
    std::ifstream file(path);
    return file.good() && std::filesystem::is_regular_file(path);
}

bool Number(const char* text, long low, long high, long& value) {
    char* end = nullptr;
    value = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && value >= low && value <= high;
}
}  // namespace

int main(int argc, char** argv) {
    long seeds = 20;
    long limit = 120;
    long hz = 60;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            Usage(stdout);
            return 0;
        }
        if (arg == "--seeds" || arg == "--limit" || arg == "--hz") {
            long value = 0;
            // Above 1000 Hz a millisecond clock gives frames of no time.
            const long high = arg == "--hz" ? 1000 : 100000;
            if (i + 1 >= argc || !Number(argv[i + 1], 1, high, value)) {
                Usage(stderr);
                return 2;
            }
            (arg == "--seeds" ? seeds : arg == "--limit" ? limit : hz) = value;
            ++i;
            continue;
        }
        positional.push_back(arg);
    }
    std::string root = positional.empty() ? "" : positional.front();
    if (!root.empty() && root.back() != '/') {
        root += '/';
    }
    std::vector<std::string> levels(positional.size() > 1 ? positional.begin() + 1 : positional.end(),
                                    positional.end());
    const bool fromMenu = levels.empty();
    if (!std::filesystem::is_directory(root.empty() ? "Data/Levels" : root + "Data/Levels")) {
        std::fprintf(stderr, "velmor-playtest: no readable %sData/Levels directory\n", root.c_str());
        return 2;
    }
    if (fromMenu) {
        levels = MenuLevels(root);
        if (levels.empty()) {
            std::fprintf(stderr, "velmor-playtest: the menu of %sData/ links no level\n", root.c_str());
            return 2;
        }
    }
    std::vector<LevelStats> table;
    bool failed = false;
    for (const std::string& level : levels) {
        LevelStats stats;
        stats.level = level;
        if (!Readable(root + "Data/Levels/" + level)) {
            if (!fromMenu) {
                std::fprintf(stderr, "velmor-playtest: cannot read %sData/Levels/%s\n", root.c_str(), level.c_str());
                return 2;
            }
            // The menu links a level that is not there.
            stats.start.why = "cannot read Data/Levels/" + level;
        } else if (PlayLevel(root, level, static_cast<unsigned>(seeds), static_cast<std::uint32_t>(limit * 1000),
                             static_cast<unsigned>(hz), stats)) {
            table.push_back(std::move(stats));
            continue;
        } else if (fromMenu && stats.start.outcome == LevelStart::Outcome::NoPlayer) {
            continue;  // a menu page such as the help screen: nothing to play
        }
        std::fprintf(stderr, "velmor-playtest: %s could not start: %s\n", level.c_str(), stats.start.why.c_str());
        failed = true;
        table.push_back(std::move(stats));
    }
    PrintTable(table, std::cout);
    return failed ? 1 : 0;
}
