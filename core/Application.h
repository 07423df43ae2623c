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
    };

    explicit Application(Platform& platform);
    Application(Platform& platform, Options options);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Steps 1 to 12 and the start of the loop; false (after tearing down
    // again) when the render device cannot be created.
    bool Startup();
    // One frame; returns false once the loop has ended.
    bool RunFrame();
    // Steps 14 to 16: objects, systems, window.
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
