// velmor-soak: runs the shipped game headless for many frames under random
// input and fails on a crash, a sanitizer report, a frame slower than one
// second, or an object count or resident memory (under the sanitizers: the
// heap in use) that keeps growing. Every failure names the seed and the
// frame; the same seed replays the run.
//
//   velmor-soak [--seed N] [--frames N] [--data DIR]
//
// DIR holds Data/ (default: the working directory).

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "FrameTimes.h"
#include "GrowthWatch.h"
#include "SoakRun.h"

#if defined(__SANITIZE_ADDRESS__)
#define VELMOR_SOAK_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMOR_SOAK_SANITIZED 1
#endif
#endif
#ifdef VELMOR_SOAK_SANITIZED
#include <sanitizer/common_interface_defs.h>
// Every sanitizer runtime has it; g++ ships no header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

constexpr std::uint64_t kWindow = 10000;
// A frame fails when it costs more than a second of processor time. The
// clock alone would fail runs on a machine shared with other work (a frame
// waiting for the processor is not slow); a frame that stalls without
// computing fails at ten seconds of clock time.
constexpr double kSlowFrame = 1.0;
constexpr double kStalledFrame = 10.0;

// Read by the crash paths, which may only use async-signal-safe calls.
volatile std::uint64_t gSeed = 0;
volatile std::uint64_t gFrame = 0;

// Appends the decimal digits of `value` to `out` without the C library.
char* AppendNumber(char* out, std::uint64_t value) {
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n > 0) {
        *out++ = digits[--n];
    }
    return out;
}

void WriteWhere(const char* what) {
    char line[160];
    char* p = line;
    const char* prefix = "velmor-soak: ";
    for (const char* s = prefix; *s != '\0'; ++s) {
        *p++ = *s;
    }
    for (const char* s = what; *s != '\0' && p < line + 80; ++s) {
        *p++ = *s;
    }
    for (const char* s = " at seed "; *s != '\0'; ++s) {
        *p++ = *s;
    }
    p = AppendNumber(p, gSeed);
    for (const char* s = " frame "; *s != '\0'; ++s) {
        *p++ = *s;
    }
    p = AppendNumber(p, gFrame);
    *p++ = '\n';
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, line, static_cast<std::size_t>(p - line));
}

void OnCrash(int signal) {
    WriteWhere(signal == SIGABRT ? "aborted" : "crashed");
    ::signal(signal, SIG_DFL);
    raise(signal);
}

void InstallCrashReports() {
#ifdef VELMOR_SOAK_SANITIZED
    // The sanitizers catch faults themselves and print their report; this
    // runs after it, before the process dies.
    __sanitizer_set_death_callback([] { WriteWhere("sanitizer report"); });
    const int signals[] = {SIGABRT};
#else
    const int signals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
#endif
    for (const int s : signals) {
        ::signal(s, &OnCrash);
    }
}

double ResidentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    std::uint64_t size = 0;
    std::uint64_t resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The memory whose growth fails the run. Under the sanitizers, resident
// memory is mostly their quarantine of freed blocks (256 MB by default),
// which fills at the pace the game frees memory and so rises for dozens of
// windows without the game holding any more; what a leak would grow there
// is the heap the game still holds. The heap is measured exactly, so its
// tolerance is tighter than that of resident memory, which libraries, caches
// and the allocator's pools move.
#ifdef VELMOR_SOAK_SANITIZED
constexpr const char* kWatchedMemory = "heap in use (MB)";
constexpr double kMemoryTolerance = 4.0;
double WatchedMegabytes() { return static_cast<double>(__sanitizer_get_current_allocated_bytes()) / (1024.0 * 1024.0); }
#else
constexpr const char* kWatchedMemory = "resident memory (MB)";
constexpr double kMemoryTolerance = 32.0;
double WatchedMegabytes() { return ResidentMegabytes(); }
#endif

// The memory part of a window's line: resident memory, and the watched
// quantity where that is another one.
std::string MemoryLine(double windowPeak) {
    char line[96];
#ifdef VELMOR_SOAK_SANITIZED
    std::snprintf(line, sizeof line, "resident %.1f MB, heap in use %.1f MB (window peak %.1f)", ResidentMegabytes(),
                  WatchedMegabytes(), windowPeak);
#else
    std::snprintf(line, sizeof line, "resident %.1f MB (window peak %.1f)", ResidentMegabytes(), windowPeak);
#endif
    return line;
}

bool ParseNumber(const char* text, std::uint64_t& value) {
    char* end = nullptr;
    errno = 0;
    const unsigned long long parsed = std::strtoull(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || text[0] == '-') {
        return false;
    }
    value = parsed;
    return true;
}

int Usage() {
    std::fprintf(stderr, "usage: velmor-soak [--seed N] [--frames N] [--data DIR]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t seed = 1;
    std::uint64_t frames = 100000;
    std::string dataRoot;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) {
            return Usage();
        }
        if (arg == "--seed") {
            if (!ParseNumber(argv[++i], seed) || seed > 0xFFFFFFFFu) {
                return Usage();
            }
        } else if (arg == "--frames") {
            if (!ParseNumber(argv[++i], frames)) {
                return Usage();
            }
        } else if (arg == "--data") {
            dataRoot = argv[++i];
            if (!dataRoot.empty() && dataRoot.back() != '/') {
                dataRoot += '/';
            }
        } else {
            return Usage();
        }
    }
    if (!std::filesystem::is_directory(dataRoot + "Data/Levels")) {
        std::fprintf(stderr, "velmor-soak: no Data/Levels in '%s' (run from the repository root or pass --data)\n",
                     dataRoot.empty() ? "." : dataRoot.c_str());
        return 2;
    }
    gSeed = seed;
    InstallCrashReports();

    SoakRun run(static_cast<unsigned>(seed), dataRoot);
    if (!run.Start()) {
        std::fprintf(stderr, "velmor-soak: the game does not start (seed %" PRIu64 ")\n", seed);
        return 1;
    }
    // Objects: 50 more, or a quarter more, than the early peaks. Memory:
    // kMemoryTolerance, or a quarter more; the texture cache and the
    // allocator's pools fill during the warm-up windows.
    GrowthWatch objects("the object count", 50.0, 0.25);
    GrowthWatch memory(kWatchedMemory, kMemoryTolerance, 0.25);
    FrameTimes wallTimes;
    FrameTimes cpuTimes;
    std::size_t peakObjects = 0;

    for (std::uint64_t frame = 0; frame < frames; ++frame) {
        gFrame = frame;
        if (frame % kWindow == 0) {
            std::printf("seed %" PRIu64 ": frames %" PRIu64 " to %" PRIu64 "\n", seed, frame,
                        std::min(frame + kWindow, frames) - 1);
            std::fflush(stdout);
        }
        bool ok = true;
        const SoakRun::Cost took = run.Frame(ok);
        if (!ok) {
            std::fprintf(stderr, "velmor-soak: a fresh engine does not start at seed %" PRIu64 " frame %" PRIu64 "\n",
                         seed, frame);
            return 1;
        }
        if (took.cpu > kSlowFrame || took.wall > kStalledFrame) {
            std::fprintf(stderr,
                         "velmor-soak: frame took %.3f s (%.3f s of processor time, %s) at seed %" PRIu64
                         " frame %" PRIu64 "\n",
                         took.wall, took.cpu, run.Levels().c_str(), seed, frame);
            return 1;
        }
        wallTimes.Add(run.Levels(), took.wall);
        cpuTimes.Add(run.Levels(), took.cpu);
        const std::size_t count = run.ObjectCount();
        peakObjects = std::max(peakObjects, count);
        objects.Sample(static_cast<double>(count));
        if (frame % 100 == 0) {
            memory.Sample(WatchedMegabytes());
        }
        if ((frame + 1) % kWindow == 0 || frame + 1 == frames) {
            memory.Sample(WatchedMegabytes());
            std::string why;
            const bool objectsFlat = objects.EndWindow(why);
            const bool memoryFlat = objectsFlat && memory.EndWindow(why);
            std::printf("seed %" PRIu64 " frames %" PRIu64 ": restarts %" PRIu64 ", level switches %" PRIu64
                        ", end screens %" PRIu64
                        ", objects %zu (window peak %.0f, run peak %zu), %s, digest %016" PRIx64 "\n",
                        seed, frame + 1, run.restarts, run.levelSwitches, run.endScreens, count, objects.WindowPeak(),
                        peakObjects, MemoryLine(memory.WindowPeak()).c_str(), run.digest);
            std::fflush(stdout);
            if (!objectsFlat || !memoryFlat) {
                std::fprintf(stderr, "velmor-soak: %s, at seed %" PRIu64 " frame %" PRIu64 "\n", why.c_str(), seed,
                             frame);
                return 1;
            }
        }
    }

    for (const auto& [title, times] : {std::pair<const char*, const FrameTimes*>{"clock", &wallTimes},
                                       std::pair<const char*, const FrameTimes*>{"processor", &cpuTimes}}) {
        std::printf("headless frame time by live levels (%s):\n", title);
        for (const auto& [levels, s] : times->Summaries()) {
            std::printf("  %-28s frames %9" PRIu64 "  mean %8.1f us  p99 %8.1f us  worst %8.1f us\n", levels.c_str(),
                        s.frames, s.mean * 1e6, s.p99 * 1e6, s.worst * 1e6);
        }
    }
    std::printf("velmor-soak: clean: seed %" PRIu64 ", %" PRIu64 " frames, %" PRIu64 " restarts, %" PRIu64
                " level switches, %" PRIu64 " end screens, peak %zu objects, digest %016" PRIx64 "\n",
                seed, frames, run.restarts, run.levelSwitches, run.endScreens, peakObjects, run.digest);
    return 0;
}
