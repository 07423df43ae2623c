#pragma once

#include <string>

// What a shell command printed on standard output, and its exit status
// (-1 when it could not be run or did not exit normally): for tests that run
// a built program as a user would.
struct CommandRun {
    int status = -1;
    std::string out;
};

CommandRun RunCommand(const std::string& command);
