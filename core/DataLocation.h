#pragma once

#include <optional>
#include <string>
#include <vector>

// Finds the game's data folder: the first candidate that holds the start
// level. Given a folder (--data), only that one counts; otherwise Data/
// below the working directory, Data/ beside the executable (an unpacked
// archive), then the install tree's share/velmor/Data relative to the
// executable (so a moved install still finds its data).
class DataLocation {
public:
    struct Result {
        // The chosen folder with a trailing separator; empty when none.
        std::string folder;
        // When none: one line for the player, what was looked at and how to
        // point the game at its data.
        std::string error;
        bool Found() const { return !folder.empty(); }
    };

    // `executable` is the program's full path ("" when unknown: its two
    // candidates are left out); a relative `chosen` folder is taken from
    // the working directory.
    DataLocation(const std::optional<std::string>& chosen, const std::string& workingDirectory,
                 const std::string& executable);

    // The folders in the order they are tried, each once.
    const std::vector<std::string>& Candidates() const { return candidates_; }
    Result Find() const;

    // What a data folder must hold; the game's first level.
    static constexpr const char* kStartLevel = "Levels/menu.lvl";

private:
    void Add(const std::string& folder);

    std::vector<std::string> candidates_;
    bool chosen_ = false;
};
