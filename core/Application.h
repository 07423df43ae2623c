#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/WinTypes.h"

class Core;
class Platform;

// The one start-up and teardown every entry shares: window, random seed,
// hidden cursor, the core with its five systems in their order, the menu,
// the frame loop, teardown. Tests drive it frame by frame.
class Application {
public:
    struct Options {
        // Seeds rand() with this instead of the millisecond clock.
        std::optional<unsigned> seed;
        // Where "Data/" is looked for ("" = working directory).
        std::string dataRoot;
        // The data folder itself (holding Archetypes/, Levels/, Images/),
        // with a trailing separator: what the game found on start-up. Wins
        // over dataRoot when set. (Initialised here, so that {seed, root}
        // stays a complete initialiser.)
        std::string dataFolder{};
    };

    explicit Application(Platform& platform);
    Application(Platform& platform, Options options);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Creates the window, seeds rand(), hides the cursor, creates the core
    // with GameLogic, AIController, Physics, Graphics and Factory in that
    // order, initializes them (which registers the component creators),
    // loads the menu and starts the loop's clock. False when the window
    // cannot be created, or (after tearing down again) the render device.
    bool Startup();
    // One frame; returns false once the loop has ended.
    bool RunFrame();
    // Deletes every object, then the systems front to back, then the window.
    void Shutdown();
    // The whole program: start-up, frames until quit, teardown; the exit status.
    int Run();

    WindowHandle Window() const { return window_; }
    bool Running() const;

private:
    Platform& platform_;
    Options options_;
    WindowHandle window_ = nullptr;
    std::unique_ptr<Core> core_;
    bool started_ = false;
};

// Outer size of the main window: 1280 x 1024, or the desktop's size where
// that is smaller.
void ClampWindowSize(const WinRect& desktop, int& width, int& height);

constexpr const char* kWindowClass = "Velmor";
constexpr const char* kWindowTitle = "VelmorWindowClass";
