#pragma once

#include <vector>

#include "objects/DataObserver.h"

// The data files that the engine's own code opens by name (every other file
// is named by the data), and what the code relies on in each; the data
// checker checks them from this list.
struct GameFiles {
    static constexpr const char* kMenuLevel = "menu.lvl";
    static constexpr const char* kEndLevel = "gameend.lvl";
    // The end screen's text: its sprite shows one of the two end images.
    static constexpr const char* kEndText = "text.txt";
    static constexpr const char* kGameOverImage = "gameover.png";
    static constexpr const char* kYouWinImage = "youwin.png";
    static constexpr const char* kSnowball = "snowball.txt";
    static constexpr const char* kFireball = "fireball.txt";
    static constexpr const char* kHole = "hole.txt";
    static constexpr const char* kCursorImage = "cursor.png";
    static constexpr const char* kFireCursorImage = "firecursor.png";
    static constexpr const char* kSnowCursorImage = "snowcursor.png";
    static constexpr const char* kBothCursorImage = "bothcursor.png";

    struct File {
        FileKind kind;
        const char* name;
        // The type names of the components the code uses on the object.
        std::vector<const char*> components;
    };
    static const std::vector<File>& All();
};
