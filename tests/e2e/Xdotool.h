#pragma once

#include <string>
#include <vector>

// Real X input through xdotool (the XTEST extension): what a person's mouse
// and keyboard would send to the window under the pointer or in focus.
class Xdotool {
public:
    explicit Xdotool(unsigned long window) : window_(window) {}

    // Pointer to (x, y) of the window's pixels.
    bool MoveTo(int x, int y) const;
    // Pointer to (x, y) of the whole screen.
    bool MoveToScreen(int x, int y) const;
    // Press and release of button 1 (left) or 3 (right) where the pointer is.
    bool Click(int button) const;
    bool Focus() const;
    // The window's size, as a window manager would set it.
    bool Resize(int width, int height) const;
    // Key names as xdotool knows them ("Right", "w", "Escape").
    bool KeyDown(const std::string& key) const;
    bool KeyUp(const std::string& key) const;
    bool Key(const std::string& key) const;

private:
    // Runs xdotool with these arguments; false when it failed or hung.
    static bool Run(const std::vector<std::string>& arguments);

    unsigned long window_;
};
