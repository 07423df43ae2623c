#include "core/CommandLine.h"

#ifndef VELMOR_VERSION
#error "VELMOR_VERSION (the project's version) is set by the build"
#endif

CommandLine CommandLine::Parse(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool help = false;
    bool version = false;
    const auto invalid = [&line](std::string problem) {
        line.action = Action::Invalid;
        line.problem = std::move(problem);
        return line;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            help = true;
        } else if (argument == "--version") {
            version = true;
        } else if (argument == "--data") {
            if (i + 1 == arguments.size() || arguments[i + 1].empty()) {
                return invalid("--data needs a folder");
            }
            line.dataFolder = arguments[++i];
        } else if (argument.rfind("--data=", 0) == 0) {
            if (argument.size() == 7) {
                return invalid("--data needs a folder");
            }
            line.dataFolder = argument.substr(7);
        } else if (!argument.empty() && argument[0] == '-') {
            return invalid("unknown option '" + argument + "'");
        } else {
            return invalid("unexpected argument '" + argument + "'");
        }
    }
    line.action = help ? Action::Help : version ? Action::Version : Action::Play;
    return line;
}

std::string CommandLine::Version() { return std::string("velmor ") + VELMOR_VERSION + "\n"; }

std::string CommandLine::Usage() {
    return "usage: velmor [--data DIR]\n"
           "       velmor --help | --version\n"
           "\n"
           "A small two-dimensional action game: throw snowballs and fireballs at\n"
           "wandering, chasing and spitting creatures.\n"
           "\n"
           "options:\n"
           "  --data DIR   read the game data from DIR, the folder that holds\n"
           "               Archetypes/, Levels/ (with menu.lvl) and Images/\n"
           "  --help       show this text and exit\n"
           "  --version    show the version and exit\n"
           "\n"
           "Without --data the game uses the first of these folders that holds\n"
           "Levels/menu.lvl:\n"
           "  1. Data/ below the working directory\n"
           "  2. Data/ beside the executable\n"
           "  3. ../share/velmor/Data relative to the executable's folder\n"
           "With none it says where it looked and exits with status 1.\n"
           "\n"
           "controls:\n"
           "  arrow keys or W A S D   move\n"
           "  mouse                   aim\n"
           "  left button             throw a snowball; click menu buttons\n"
           "  right button            throw a fireball\n"
           "  Esc                     back to the menu; on the menu, quit\n"
           "  L                       restart the level\n"
           "  P                       show collision shapes and the frame rate\n"
           "\n"
           "exit status: 0 when the game ends normally, 1 when it cannot start,\n"
           "2 for a wrong command line.\n";
}
