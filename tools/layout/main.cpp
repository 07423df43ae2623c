#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "tools/layout/GameLayout.h"

namespace {
void Usage(std::FILE* out) {
    std::fputs("usage: velmor-layout [data-root]\n"
               "Starts the engine headless on <data-root>/Data/ (default: the current directory) and prints\n"
               "one line per menu button: its level command (Quit, LoadLevel, SwitchLevel), the level file\n"
               "it names (- for none) and its rectangle left top right bottom in the 1280 x 1024 space.\n"
               "Exit status: 0 done, 2 no Data/Levels/menu.lvl or the engine could not start.\n",
               out);
}

const char* CommandName(MessageId command) {
    switch (command) {
    case MsgQuit: return "Quit";
    case MsgLoadLevel: return "LoadLevel";
    case MsgSwitchLevel: return "SwitchLevel";
    default: return "Other";
    }
}
}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 || (argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0))) {
        Usage(argc > 2 ? stderr : stdout);
        return argc > 2 ? 2 : 0;
    }
    std::string root = argc == 2 ? argv[1] : "";
    if (!root.empty() && root.back() != '/') {
        root += '/';
    }
    // The engine starts without a menu (and shows nothing); a wrong root
    // must not pass for a menu without buttons.
    const std::string menu = root + "Data/Levels/menu.lvl";
    if (!std::ifstream(menu).good()) {
        std::fprintf(stderr, "velmor-layout: cannot read %s\n", menu.c_str());
        return 2;
    }
    const std::optional<std::vector<MenuButton>> buttons = GameLayout(root).ReadButtons();
    if (!buttons) {
        std::fprintf(stderr, "velmor-layout: the engine cannot start on %sData/\n", root.c_str());
        return 2;
    }
    for (const MenuButton& button : *buttons) {
        const Placement& place = button.place;
        std::printf("%s %s %g %g %g %g\n", CommandName(button.command),
                    button.level.empty() ? "-" : button.level.c_str(), place.position.x - place.size.x,
                    place.position.y - place.size.y, place.position.x + place.size.x, place.position.y + place.size.y);
    }
    return 0;
}
