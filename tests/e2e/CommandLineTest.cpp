// The built game's command line and its start without data, run as a
// player would run it: no window is needed, and none may open.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "harness/CommandRun.h"
#include "harness/TempData.h"

namespace fs = std::filesystem;

namespace {
// A copy of the game at <root>/bin/velmor, nothing beside it; runs are
// made from <root>/cwd, without an X display, standard error kept apart.
class GameCommand : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(places_.Root() + "bin");
        fs::create_directories(places_.Root() + "cwd");
        fs::copy_file(VELMOR_EXECUTABLE, Executable());
    }
    std::string Executable() const { return places_.Root() + "bin/velmor"; }
    CommandRun Run(const std::string& arguments) const {
        return RunCommand("cd '" + places_.Root() + "cwd' && env -u DISPLAY -u WAYLAND_DISPLAY '" + Executable() +
                          "' " + arguments + " 2>'" + places_.Root() + "err.txt'");
    }
    std::string Errors() const {
        const CommandRun cat = RunCommand("cat '" + places_.Root() + "err.txt'");
        return cat.out;
    }

    TempData places_;
};
}  // namespace

TEST_F(GameCommand, WithoutDataItSaysWhereItLookedInOneLineAndEndsWithOne) {
    const CommandRun run = Run("");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    const std::string errors = Errors();
    // Only that line: a window it tried to open would have added SDL's
    // complaint about the missing display.
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
    for (const std::string& folder :
         {places_.Root() + "cwd/Data", places_.Root() + "bin/Data", places_.Root() + "share/velmor/Data"}) {
        EXPECT_NE(errors.find(fs::path(folder).lexically_normal().string()), std::string::npos) << errors;
    }
    EXPECT_NE(errors.find("--data DIR"), std::string::npos) << errors;

    // Data in the install tree does not make a named folder count.
    fs::create_directories(places_.Root() + "share/velmor");
    fs::copy(SourceRoot() + "Data", places_.Root() + "share/velmor/Data", fs::copy_options::recursive);
    EXPECT_EQ(Run("--data /nonexistent").status, 1);
    EXPECT_NE(Errors().find("/nonexistent holds no Levels/menu.lvl"), std::string::npos) << Errors();
}

TEST_F(GameCommand, AnswersHelpAndVersionAndRejectsWhatItDoesNotKnow) {
    const CommandRun version = Run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("velmor ") + VELMOR_VERSION + "\n");
    const CommandRun help = Run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--data DIR"), std::string::npos) << help.out;
    EXPECT_EQ(Errors(), "");
    const CommandRun unknown = Run("--fullscreen");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(Errors().rfind("velmor: unknown option '--fullscreen'\nusage: velmor", 0), 0u) << Errors();
}
