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

    // The longest time one frame advances the game, in seconds. After a
    // stall (a suspended machine, a dragged window, a starved process) the
    // game slows down instead of integrating the whole gap in one step,
    // which would carry bodies through walls. 35 ms keeps every shipped body
    // from crossing the thinnest wall (32 units) in one step: the fastest, a
    // snowball thrown by a player running diagonally, moves 1,271 units a
    // second, 44.5 units in 35 ms, and it must move 32 + its 16-unit
    // diameter to pass a wall without ever touching it. Frame rates down to
    // about 29 a second are not affected.
    static constexpr float kMaxStep = 0.035f;

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
