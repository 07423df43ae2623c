#include <cstdio>
#include <cstring>

#include "tools/check/DataChecker.h"

namespace {
void Usage(std::FILE* out) {
    std::fputs("usage: velmor-check [data-root]\n"
               "Checks every archetype and level file below <data-root>/Data/ (default: the current\n"
               "directory) the way the game reads them. Exit status: 0 clean, 1 problems found,\n"
               "2 could not run.\n",
               out);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        Usage(stderr);
        return 2;
    }
    if (argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)) {
        Usage(stdout);
        return 0;
    }
    const CheckResult result = CheckData(argc == 2 ? argv[1] : "");
    for (const std::string& line : result.problems) {
        std::printf("%s\n", line.c_str());
    }
    for (const std::string& line : result.errors) {
        std::fprintf(stderr, "velmor-check: %s\n", line.c_str());
    }
    if (!result.problems.empty()) {
        std::fprintf(stderr, "velmor-check: %zu problem%s\n", result.problems.size(),
                     result.problems.size() == 1 ? "" : "s");
    }
    return result.exitCode;
}
