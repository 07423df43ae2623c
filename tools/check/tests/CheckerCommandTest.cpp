#include <gtest/gtest.h>

#include <string>

#include "CheckDataSet.h"
#include "harness/CommandRun.h"

namespace {
// Runs velmor-check in `directory` with the given arguments.
CommandRun RunChecker(const std::string& directory, const std::string& arguments) {
    return RunCommand("cd '" + directory + "' && '" + VELMOR_CHECK_BINARY + "' " + arguments + " 2>/dev/null");
}
}  // namespace

TEST(CheckerCommandTest, ExitStatusAndOutput) {
    CheckDataSet data;
    // The current directory by default, or the root given.
    EXPECT_EQ(RunChecker(data.Root(), "").status, 0);
    EXPECT_EQ(RunChecker("/", "'" + data.Root() + "'").status, 0);
    data.Level("extra.lvl", "nothing.txt end\n");
    const CommandRun found = RunChecker(data.Root(), "");
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
