#pragma once

#include <string>
#include <vector>

#include "core/Application.h"

// What an entry does before it starts its platform: reads the command line
// and finds the data folder. Either the game is to be played (with these
// options) or the program ends at once with a status and a text (usage or
// version on standard output, a problem on standard error), without a
// window.
class GameLaunch {
public:
    // `arguments` without the program's name; `executable` the program's
    // full path ("" when unknown).
    static GameLaunch Prepare(const std::vector<std::string>& arguments, const std::string& workingDirectory,
                              const std::string& executable);

    bool play = false;
    Application::Options options;
    int exitStatus = 0;
    // Ends with a line feed.
    std::string text;
    // Whether `text` reports a problem (standard error, a message box on
    // Windows) rather than what was asked for.
    bool problem = false;
};
