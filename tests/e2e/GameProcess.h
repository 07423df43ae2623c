#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

#include "support/TempData.h"

// The real game executable, started in a temporary directory that holds a
// copy of the shipped Data/. It is killed when this object goes, whatever
// state the test left it in.
class GameProcess {
public:
    GameProcess();
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    // The directory the game runs in, with its Data/.
    const std::string& Root() const { return data_.Root(); }
    bool Start();
    pid_t Pid() const { return pid_; }
    bool Running();
    // Waits up to `seconds` for the game to end; its exit status, or none
    // when it is still running or did not end by exit().
    std::optional<int> WaitForExit(double seconds);
    // True when the game ended on a signal (a crash).
    bool Crashed() const { return crashed_; }
    void Kill();
    // What the game wrote to standard error so far.
    std::string ErrorOutput() const;

private:
    bool Reap(bool block);

    TempData data_;
    pid_t pid_ = -1;
    bool ended_ = false;
    bool crashed_ = false;
    int status_ = 0;
};
