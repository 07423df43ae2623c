#include "e2e/Xdotool.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace {
constexpr auto kCommandLimit = std::chrono::seconds(20);

// Looked up once, before any fork: the child only calls execv.
const std::string& ProgramPath() {
    static const std::string path = [] {
        const char* list = std::getenv("PATH");
        std::string directories = list != nullptr ? list : "/usr/bin:/bin";
        std::size_t start = 0;
        while (start <= directories.size()) {
            const std::size_t end = std::min(directories.find(':', start), directories.size());
            const std::string candidate = directories.substr(start, end - start) + "/xdotool";
            if (end > start && access(candidate.c_str(), X_OK) == 0) {
                return candidate;
            }
            start = end + 1;
        }
        return std::string();
    }();
    return path;
}
}  // namespace

bool Xdotool::Available() { return !ProgramPath().empty(); }

bool Xdotool::Run(const std::vector<std::string>& arguments) {
    const std::string& program = ProgramPath();
    if (program.empty()) {
        return false;
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid < 0) {
        return false;
    }
    if (pid == 0) {
        const int quiet = open("/dev/null", O_RDWR);
        if (quiet >= 0) {
            dup2(quiet, STDIN_FILENO);
            dup2(quiet, STDOUT_FILENO);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + kCommandLimit;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool Xdotool::MoveTo(int x, int y) const {
    return Run({"mousemove", "--window", std::to_string(window_), std::to_string(x), std::to_string(y)});
}

bool Xdotool::MoveToScreen(int x, int y) const { return Run({"mousemove", std::to_string(x), std::to_string(y)}); }

bool Xdotool::Click(int button) const { return Run({"click", std::to_string(button)}); }

bool Xdotool::Focus() const { return Run({"windowfocus", std::to_string(window_)}); }

bool Xdotool::KeyDown(const std::string& key) const { return Run({"keydown", key}); }

bool Xdotool::KeyUp(const std::string& key) const { return Run({"keyup", key}); }

bool Xdotool::Key(const std::string& key) const { return Run({"key", key}); }
