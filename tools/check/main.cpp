#include <cstdio>
#include <cstring>

#include "tools/check/DataChecker.h"

namespace {
void Usage(std::FILE* out) {
    std::fprintf(out,
                 "usage: velmor-check [--all] [data-root]\n"
                 "Checks every archetype and level file below <data-root>/Data/ (default: the current\n"
                 "directory) the way the game reads them. At most %zu problems are listed per file,\n"
                 "then how many more there are; --all lists every one. Exit status: 0 clean,\n"
                 "1 problems found, 2 could not run.\n",
                 kReportsPerFile);
}
}  // namespace

int main(int argc, char** argv) {
    bool all = false;
    const char* root = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            Usage(stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--all") == 0) {
            all = true;
        } else if (root == nullptr) {
            root = argv[i];
        } else {
            Usage(stderr);
            return 2;
        }
    }
    const CheckResult result = CheckData(root != nullptr ? root : "", all);
    for (const std::string& line : result.problems) {
        std::printf("%s\n", line.c_str());
    }
    for (const std::string& line : result.errors) {
        std::fprintf(stderr, "velmor-check: %s\n", line.c_str());
    }
    if (result.problemCount != 0) {
        std::fprintf(stderr, "velmor-check: %zu problem%s\n", result.problemCount, result.problemCount == 1 ? "" : "s");
    }
    return result.exitCode;
}
