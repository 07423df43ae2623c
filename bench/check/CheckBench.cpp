// The data checker on two generated, badly broken data sets, each checked in
// a child process so that its wall time and peak resident memory are its own:
//  - a copy of the shipped data with a 200,000-word level drawn at random
//    from a handful of words, one of them a one-line archetype;
//  - a copy of the shipped data whose menu.lvl is 100 MB of random bytes.
// Both are written from fixed seeds, so every run checks the same bytes.
//
//   check_bench [--all] [--limit SECONDS] [--keep]
//
// --all checks without the per-file cap on reports, --limit stops a check
// that runs longer (default 600 s), --keep leaves the data sets on disk and
// prints where they are.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "harness/TempData.h"
#include "tools/check/DataChecker.h"

namespace fs = std::filesystem;

namespace {

// A copy of the shipped data set.
std::unique_ptr<TempData> ShippedCopy() {
    auto data = std::make_unique<TempData>();
    fs::copy(SourceRoot() + "Data", data->Root() + "Data", fs::copy_options::recursive);
    return data;
}

// 200,000 words, ten to a line. The engine of std::mt19937 is the same on
// every standard library, its distributions are not: hence the modulo.
std::unique_ptr<TempData> WordSoup() {
    std::unique_ptr<TempData> data = ShippedCopy();
    data->Archetype("big.txt", "Position Vec2 position 1 2 end end\n");
    static const char* const words[] = {"big.txt", "end", "Position", "Vec2", "nosuch.txt", "float", "x"};
    std::mt19937 random(18);
    std::string text;
    for (int i = 1; i <= 200000; ++i) {
        text += words[random() % 7];
        text += i % 10 == 0 ? '\n' : ' ';
    }
    data->Level("big.lvl", text);
    return data;
}

std::unique_ptr<TempData> RandomMenu() {
    std::unique_ptr<TempData> data = ShippedCopy();
    std::mt19937 random(100);
    std::string bytes(100u << 20, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random() & 0xFF);
    }
    data->Level("menu.lvl", bytes);
    return data;
}

// Checks `root` in a child; prints the time, peak memory and what it found.
void Measure(const char* name, const std::string& root, bool all, double limitSeconds) {
    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        std::exit(2);
    }
    if (child == 0) {
        const CheckResult result = CheckData(root, all);
        std::printf("  %zu lines of output, exit status %d\n", result.problems.size(), result.exitCode);
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    bool stopped = false;
    while (wait4(child, &status, WNOHANG, &usage) == 0) {
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (elapsed > limitSeconds && !stopped) {
            kill(child, SIGKILL);
            stopped = true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    // The CPU time as well: on a busy machine the wall time is mostly waiting.
    const auto cpu = [](const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; };
    std::printf("%s: %s %.2f s (CPU %.2f s), peak RSS %.1f MB\n", name, stopped ? "stopped after" : "checked in",
                seconds, cpu(usage.ru_utime) + cpu(usage.ru_stime), static_cast<double>(usage.ru_maxrss) / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    bool all = false;
    bool keep = false;
    double limit = 600.0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--all") == 0) {
            all = true;
        } else if (std::strcmp(argv[i], "--keep") == 0) {
            keep = true;
        } else if (std::strcmp(argv[i], "--limit") == 0 && i + 1 < argc) {
            limit = std::atof(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: check_bench [--all] [--limit SECONDS] [--keep]\n");
            return 2;
        }
    }
    const std::unique_ptr<TempData> soup = WordSoup();
    Measure("200,000-word level", soup->Root(), all, limit);
    const std::unique_ptr<TempData> noise = RandomMenu();
    Measure("100 MB random menu.lvl", noise->Root(), all, limit);
    if (keep) {
        soup->Keep();
        noise->Keep();
        std::printf("data sets kept in %s and %s\n", soup->Root().c_str(), noise->Root().c_str());
    }
    return 0;
}
