#pragma once

#include <string>
#include <vector>

#include "harness/TempData.h"
#include "tools/check/DataChecker.h"

// A small data set that the checker finds clean: every file the game names,
// a menu, an end screen and one playable level. Tests break one thing each.
class CheckDataSet : public TempData {
public:
    CheckDataSet();

    // The level that the menu switches to.
    static constexpr const char* kLevel = "level1.lvl";
    static const char* PlayableLevel();

    CheckResult Check() const { return CheckData(Root()); }
    // The "file:line:column: message" lines of one check.
    std::vector<std::string> Problems() const { return Check().problems; }
};
