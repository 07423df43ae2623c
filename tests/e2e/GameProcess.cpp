#include "e2e/GameProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {
// The game's own run ends with SDL_Quit, which unloads Mesa's driver; leaks
// reported from there could not be told from the game's, so leak checking
// (in a sanitizer build) is left to the in-process tests.
std::vector<std::string> GameEnvironment() {
    std::vector<std::string> entries;
    std::string asan = "ASAN_OPTIONS=";
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, "ASAN_OPTIONS=", 13) == 0) {
            asan = std::string(*entry) + ":";
        } else {
            entries.emplace_back(*entry);
        }
    }
    entries.push_back(asan + "detect_leaks=0");
    return entries;
}
}  // namespace

GameProcess::GameProcess() {
    fs::copy(SourceRoot() + "Data", Root() + "Data",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

GameProcess::GameProcess(std::string executable, std::string workingDirectory, std::string dataRoot,
                         std::vector<std::string> arguments)
    : executable_(std::move(executable)),
      workingDirectory_(std::move(workingDirectory)),
      dataRoot_(std::move(dataRoot)),
      arguments_(std::move(arguments)) {}

GameProcess::~GameProcess() { Kill(); }

bool GameProcess::Start() {
    if (pid_ > 0) {
        return false;
    }
    const std::vector<std::string> environment = GameEnvironment();
    std::vector<char*> envp;
    for (const std::string& entry : environment) {
        envp.push_back(const_cast<char*>(entry.c_str()));
    }
    envp.push_back(nullptr);
    const std::string out = data_.Root() + "out.txt";
    const std::string err = data_.Root() + "err.txt";
    std::vector<char*> argv = {executable_.data()};
    for (std::string& argument : arguments_) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, workingDirectory_.c_str());
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, executable_.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        return false;
    }
    pid_ = pid;
    ended_ = false;
    crashed_ = false;
    return true;
}

bool GameProcess::Reap(bool block) {
    if (pid_ <= 0 || ended_) {
        return ended_;
    }
    int status = 0;
    const pid_t result = waitpid(pid_, &status, block ? 0 : WNOHANG);
    if (result == pid_) {
        ended_ = true;
        crashed_ = WIFSIGNALED(status);
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return ended_;
}

bool GameProcess::Running() { return pid_ > 0 && !Reap(false); }

std::optional<int> GameProcess::WaitForExit(double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!Reap(false)) {
        if (pid_ <= 0 || std::chrono::steady_clock::now() > deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (crashed_) {
        return std::nullopt;
    }
    return status_;
}

void GameProcess::Kill() {
    if (pid_ > 0 && !Reap(false)) {
        kill(pid_, SIGKILL);
        Reap(true);
    }
}

std::string GameProcess::Written(const std::string& file) const {
    std::ifstream in(data_.Root() + file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
