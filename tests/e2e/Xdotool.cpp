#include "e2e/Xdotool.h"

#include "e2e/GameProcess.h"

bool Xdotool::Run(const std::vector<std::string>& arguments) {
    // Spawned, not forked: a key release must not wait for the copy of a
    // large (sanitizer) test process. Killed, when it hangs, as it goes.
    GameProcess xdotool("xdotool", "/", "", arguments);
    return xdotool.Start() && xdotool.WaitForExit(20.0) == 0;
}

bool Xdotool::MoveTo(int x, int y) const {
    return Run({"mousemove", "--window", std::to_string(window_), std::to_string(x), std::to_string(y)});
}

bool Xdotool::MoveToScreen(int x, int y) const { return Run({"mousemove", std::to_string(x), std::to_string(y)}); }

bool Xdotool::Click(int button) const { return Run({"click", std::to_string(button)}); }

bool Xdotool::Focus() const { return Run({"windowfocus", std::to_string(window_)}); }

bool Xdotool::Resize(int width, int height) const {
    return Run({"windowsize", std::to_string(window_), std::to_string(width), std::to_string(height)});
}

bool Xdotool::KeyDown(const std::string& key) const { return Run({"keydown", key}); }

bool Xdotool::KeyUp(const std::string& key) const { return Run({"keyup", key}); }

bool Xdotool::Key(const std::string& key) const { return Run({"key", key}); }
