#pragma once

#include <cstdint>
#include <deque>
#include <memory>

#include "core/System.h"

class Message;
class Platform;

// Owns the systems, runs the frame loop and delivers broadcasts.
class Core {
public:
    explicit Core(Platform& platform);
    ~Core();
    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    void InitializeSystems();
    // Runs frames until `running` is false at the end of a frame.
    void GameLoop();
    // The loop split for callers that drive it frame by frame: BeginLoop
    // reads the clock as the last frame's time, as GameLoop does first;
    // RunFrame runs one frame and returns `running`.
    bool BeginLoop();
    bool RunFrame();
    void BroadcastMessage(Message* message);
    // Deletes every system front to back, then clears gCore.
    void DestroySystems();

    std::deque<std::unique_ptr<System>> systems;
    std::uint32_t lastTime = 0;
    bool running = true;
    bool paused = false;
    std::int32_t zeroTimeFrames = 0;

    // The time step of the last frame, kept for tools and tests.
    float lastDt = 0.0f;

private:
    Platform& platform_;
};

extern Core* gCore;

// Delivers `message` to every system of the running core; without a core
// (before start-up, during teardown) it goes nowhere. The sender keeps the
// message, usually on its stack.
void BroadcastToSystems(Message& message);
