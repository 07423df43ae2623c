#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "support/TempData.h"

// The real game executable, started in a temporary directory that holds a
// copy of the shipped Data/, or an installed copy started elsewhere. It is
// killed when this object goes, whatever state the test left it in.
class GameProcess {
public:
    GameProcess();
    // `executable` started in `workingDirectory` with `arguments`; its data
    // lies below `dataRoot` (a directory holding Data/) or elsewhere, where
    // the game finds it by itself.
    GameProcess(std::string executable, std::string workingDirectory, std::string dataRoot,
                std::vector<std::string> arguments = {});
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    // The directory that holds the game's Data/ (where it runs, unless
    // another working directory was given).
    const std::string& Root() const { return dataRoot_; }
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

    // Its output files, and by default the copy of the data.
    TempData data_;
    std::string executable_ = VELMOR_EXECUTABLE;
    std::string workingDirectory_ = data_.Root();
    std::string dataRoot_ = data_.Root();
    std::vector<std::string> arguments_;
    pid_t pid_ = -1;
    bool ended_ = false;
    bool crashed_ = false;
    int status_ = 0;
};
