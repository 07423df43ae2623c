#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Application.h"
#include "platform/headless/HeadlessPlatform.h"

class GameObject;
class Level;

// The whole engine on the headless backend, driven frame by frame. The
// window and client area are 1280 x 1024, so client and virtual mouse
// coordinates coincide.
class HeadlessGame {
public:
    struct Config {
        // Directory holding Data/ ("" = the working directory, where the
        // tests run and the shipped data set lives).
        std::string dataRoot;
        unsigned seed = 1;
        std::uint32_t startTime = 1000;
    };

    HeadlessGame();
    explicit HeadlessGame(Config config);
    ~HeadlessGame();

    // Runs the start-up (window, systems, menu); false when it failed.
    bool Start();
    // Advances the clock by `milliseconds`, then runs one frame. Returns
    // false once the loop has ended.
    bool Frame(std::uint32_t milliseconds = 16);
    bool Frames(int count, std::uint32_t milliseconds = 16);
    void Shutdown();

    // Input, delivered at the next frame's message pump.
    void MoveMouse(int x, int y) { platform.MouseMove(x, y); }
    void LeftClick() {
        platform.LeftDown();
        platform.LeftUp();
    }
    void RightClick() {
        platform.RightDown();
        platform.RightUp();
    }
    void PressKey(int virtualKey) { platform.KeyDown(virtualKey); }
    void HoldKey(int virtualKey, bool held = true) { platform.SetKeyHeld(virtualKey, held); }

    // Every live object that has a component of that type name, by id.
    std::vector<GameObject*> ObjectsWith(const std::string& componentName) const;
    std::vector<std::string> LevelNames() const;

    HeadlessPlatform platform;
    std::unique_ptr<Application> app;

private:
    Config config_;
};
