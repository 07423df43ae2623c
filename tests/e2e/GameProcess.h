#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "harness/TempData.h"

// The real game executable, started in a temporary directory that holds a
// copy of the shipped Data/, or another program: an installed copy of the
// game, Wine running velmor.exe, xdotool. It is killed when this object
// goes, whatever state the test left it in.
class GameProcess {
public:
    GameProcess();
    // `executable` (found on PATH when it names no folder) started in
    // `workingDirectory` with `arguments`; the game's data lies below
    // `dataRoot` (a directory holding Data/) or elsewhere, where the game
    // finds it by itself.
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
    // What the game wrote to standard output and standard error so far
    // (files, not pipes: Wine's helper processes would keep a pipe open).
    std::string Output() const { return Written("out.txt"); }
    std::string ErrorOutput() const { return Written("err.txt"); }

private:
    bool Reap(bool block);
    std::string Written(const std::string& file) const;

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
