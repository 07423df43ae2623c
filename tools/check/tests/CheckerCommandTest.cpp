#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "CheckDataSet.h"

namespace {
struct CheckerRun {
    int status = -1;
    std::string out;
};

// Runs velmor-check in `directory` with the given arguments.
CheckerRun RunChecker(const std::string& directory, const std::string& arguments) {
    const std::string command = "cd '" + directory + "' && '" + VELMOR_CHECK_BINARY + "' " + arguments + " 2>/dev/null";
    CheckerRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> buffer{};
    std::size_t count = 0;
    while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        run.out.append(buffer.data(), count);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}
}  // namespace

TEST(CheckerCommandTest, ExitStatusAndOutput) {
    CheckDataSet data;
    // The current directory by default, or the root given.
    EXPECT_EQ(RunChecker(data.Root(), "").status, 0);
    EXPECT_EQ(RunChecker("/", "'" + data.Root() + "'").status, 0);
    data.Level("extra.lvl", "nothing.txt end\n");
    const CheckerRun found = RunChecker(data.Root(), "");
    EXPECT_EQ(found.status, 1);
    EXPECT_EQ(found.out, "Data/Levels/extra.lvl:1:1: missing archetype file \"Data/Archetypes/nothing.txt\"\n");
    // A root without the trailing slash names files the same way.
    std::string root = data.Root();
    root.pop_back();
    EXPECT_EQ(RunChecker("/", "'" + root + "'").out, found.out);
    EXPECT_EQ(RunChecker("/", "--all '" + root + "'").out, found.out);
}

TEST(CheckerCommandTest, CannotRun) {
    TempData data;
    EXPECT_EQ(RunChecker(data.Root() + "Data", "").status, 2);  // no Data/ inside Data/
    EXPECT_EQ(RunChecker(data.Root(), "a b").status, 2);
    data.Write("file/Data", "a file, not a directory");
    EXPECT_EQ(RunChecker(data.Root() + "file", "").status, 2);
}
