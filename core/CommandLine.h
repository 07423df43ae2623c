#pragma once

#include <optional>
#include <string>
#include <vector>

// What the player asked for on the command line:
//   velmor [--data DIR] | --help | --version
class CommandLine {
public:
    enum class Action { Play, Help, Version, Invalid };

    // `arguments` without the program's name.
    static CommandLine Parse(const std::vector<std::string>& arguments);

    // The usage: options, where the data is looked for, the controls.
    static std::string Usage();
    // "velmor 1.0.0": the project's version.
    static std::string Version();

    Action action = Action::Play;
    // --data DIR, as given.
    std::optional<std::string> dataFolder;
    // For Invalid: what is wrong, one line without the program's name.
    std::string problem;
};
