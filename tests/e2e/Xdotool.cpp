#include "e2e/Xdotool.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace {
constexpr auto kCommandLimit = std::chrono::seconds(20);

// Looked up once: the search of PATH is the same every time.
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
    // posix_spawn rather than fork: a key release must not wait for the
    // copy of a large (sanitizer) test process.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        return false;
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
