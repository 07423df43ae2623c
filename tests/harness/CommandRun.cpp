#include "harness/CommandRun.h"

#include <array>
#include <cstdio>

#ifdef _WIN32
namespace {
FILE* OpenPipe(const char* command) { return _popen(command, "r"); }
// The Windows C library returns the exit code itself.
int ClosePipe(FILE* pipe) { return _pclose(pipe); }
}  // namespace
#else
#include <sys/wait.h>
namespace {
FILE* OpenPipe(const char* command) { return popen(command, "r"); }
int ClosePipe(FILE* pipe) {
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
}  // namespace
#endif

CommandRun RunCommand(const std::string& command) {
    CommandRun run;
    FILE* pipe = OpenPipe(command.c_str());
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> buffer{};
    std::size_t count = 0;
    while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        run.out.append(buffer.data(), count);
    }
    run.status = ClosePipe(pipe);
    return run;
}
