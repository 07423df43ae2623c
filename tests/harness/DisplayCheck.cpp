#include "harness/DisplayCheck.h"

#include <cstdlib>

std::string MissingForDisplayTests(bool needsXdotool) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        return "DISPLAY is not set: this test opens a real window and must run under an X server "
               "(scripts/xvfb.sh starts Xvfb)";
    }
    if (needsXdotool && std::system("command -v xdotool > /dev/null 2>&1") != 0) {
        return "xdotool is needed to send real X input and find windows (scripts/deps.sh test installs it)";
    }
    return "";
}
