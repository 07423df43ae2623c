// velmor_frame_freeze: stops a game right on the first picture that a click
// brings up, so that a script can take a screenshot of that very frame:
//   velmor_frame_freeze <window> <pid> <left> <top> <width> <height> <percent> <command...>
// Reads a rectangle of the window's client area, runs the command (the
// click), then watches the rectangle until more than <percent> of its pixels
// have changed and stops process <pid> with SIGSTOP (the script sends
// SIGCONT). A level switch is watched where the clicked button was: the
// frame that handles the click still draws the menu, the next one does not.
// Exit status: 0 stopped, 1 no change within 30 s, 2 bad arguments, no
// window or the command failed.
#include <signal.h>
#include <sys/types.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "e2e/XDisplay.h"

namespace {
// Single quotes for the shell, so that every argument stays one word.
std::string Quoted(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 9) {
        std::fputs("usage: velmor_frame_freeze <window> <pid> <left> <top> <width> <height> <percent> <command...>\n",
                   stderr);
        return 2;
    }
    const unsigned long window = std::strtoul(argv[1], nullptr, 0);
    const pid_t pid = static_cast<pid_t>(std::atol(argv[2]));
    const int left = std::atoi(argv[3]);
    const int top = std::atoi(argv[4]);
    const int width = std::atoi(argv[5]);
    const int height = std::atoi(argv[6]);
    const double percent = std::atof(argv[7]);
    std::string command;
    for (int i = 8; i < argc; ++i) {
        if (i > 8) {
            command += ' ';
        }
        command += Quoted(argv[i]);
    }

    XDisplay display;
    const Screenshot before = display.Capture(window, left, top, width, height);
    if (!display.Open() || before.Empty() || pid <= 0 || width <= 0 || height <= 0) {
        std::fputs("velmor_frame_freeze: no such window, process or rectangle\n", stderr);
        return 2;
    }
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "velmor_frame_freeze: the command failed: %s\n", command.c_str());
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();
    const auto deadline = started + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        const Screenshot now = display.Capture(window, left, top, width, height);
        if (now.Empty() || now.Width() != before.Width() || now.Height() != before.Height()) {
            std::fputs("velmor_frame_freeze: the window went away or changed its size\n", stderr);
            return 2;
        }
        int changed = 0;
        int total = 0;
        for (int y = std::max(0, top); y < std::min(now.Height(), top + height); ++y) {
            for (int x = std::max(0, left); x < std::min(now.Width(), left + width); ++x) {
                changed += now.At(x, y) != before.At(x, y) ? 1 : 0;
                ++total;
            }
        }
        if (changed > total * percent / 100.0) {
            kill(pid, SIGSTOP);
            const auto waited =
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
            std::printf("stopped %ld ms after the command\n", static_cast<long>(waited.count()));
            return 0;
        }
    }
    std::fputs("velmor_frame_freeze: the picture did not change\n", stderr);
    return 1;
}
