#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/Application.h"
#include "core/CommandLine.h"
#include "core/DataLocation.h"
#include "core/GameLaunch.h"
#include "harness/TempData.h"
#include "objects/Factory.h"
#include "platform/headless/HeadlessPlatform.h"

namespace fs = std::filesystem;

namespace {
// The same folder, however its separators are written.
std::string Normal(const std::string& path) {
    std::string normal = fs::path(path).lexically_normal().string();
    while (!normal.empty() && (normal.back() == '/' || normal.back() == '\\')) {
        normal.pop_back();
    }
    return normal;
}

// A place the game may be started from: a working directory and an install
// tree (prefix/bin/velmor), each without data until a test writes some.
class Places : public ::testing::Test {
protected:
    std::string Cwd() const { return places.Root() + "cwd"; }
    std::string Exe() const { return places.Root() + "prefix/bin/velmor"; }
    std::string Beside() const { return places.Root() + "prefix/bin/Data"; }
    std::string Installed() const { return places.Root() + "prefix/share/velmor/Data"; }
    void Menu(const std::string& folder) const {
        places.Write(fs::path(folder).lexically_relative(places.Root()).generic_string() + "/Levels/menu.lvl", "");
    }
    DataLocation::Result Find(std::optional<std::string> chosen = std::nullopt) const {
        return DataLocation(chosen, Cwd(), Exe()).Find();
    }
    void SetUp() override { fs::create_directories(Cwd()); }

    TempData places;
};
}  // namespace

TEST_F(Places, TheFirstFolderHoldingTheStartLevelWinsInOrder) {
    EXPECT_FALSE(Find().Found());
    Menu(Installed());
    EXPECT_EQ(Normal(Find().folder), Normal(Installed()));
    Menu(Beside());
    EXPECT_EQ(Normal(Find().folder), Normal(Beside()));
    // A Data/ folder without the start level does not count.
    fs::create_directories(Cwd() + "/Data/Levels");
    EXPECT_EQ(Normal(Find().folder), Normal(Beside()));
    Menu(Cwd() + "/Data");
    const DataLocation::Result found = Find();
    EXPECT_EQ(Normal(found.folder), Normal(Cwd() + "/Data"));
    // The folder ends with a separator: file names are appended to it.
    ASSERT_FALSE(found.folder.empty());
    EXPECT_TRUE(found.folder.back() == '/' || found.folder.back() == '\\');
}

TEST_F(Places, AChosenFolderIsTheOnlyOneTriedAndMayHaveAnyName) {
    Menu(Cwd() + "/Data");
    Menu(places.Root() + "levels pack");
    EXPECT_EQ(Normal(Find(places.Root() + "levels pack").folder), Normal(places.Root() + "levels pack"));
    // Relative to the working directory.
    EXPECT_EQ(Normal(Find("../levels pack").folder), Normal(places.Root() + "levels pack"));
    const DataLocation::Result missing = Find(places.Root() + "nothing");
    EXPECT_FALSE(missing.Found());
    EXPECT_NE(missing.error.find(Normal(places.Root() + "nothing")), std::string::npos) << missing.error;
}

TEST_F(Places, WithoutDataOneLineNamesEveryFolderTriedOnceAndTheWayOut) {
    // Started from its own folder: "Data/ below the working directory" and
    // "Data/ beside the executable" are one folder, tried and named once.
    const DataLocation location(std::nullopt, places.Root() + "prefix/bin", Exe());
    ASSERT_EQ(location.Candidates().size(), 2u);
    const DataLocation::Result result = location.Find();
    EXPECT_FALSE(result.Found());
    EXPECT_EQ(result.error.find('\n'), std::string::npos) << result.error;
    EXPECT_EQ(result.error.rfind("velmor: ", 0), 0u) << result.error;
    for (const std::string& folder : {Beside(), Installed()}) {
        const std::size_t at = result.error.find(Normal(folder));
        EXPECT_NE(at, std::string::npos) << folder << " not in: " << result.error;
        EXPECT_EQ(result.error.find(Normal(folder), at + 1), std::string::npos) << "named twice: " << result.error;
    }
    EXPECT_NE(result.error.find("--data DIR"), std::string::npos) << result.error;
    EXPECT_NE(result.error.find("Levels/menu.lvl"), std::string::npos) << result.error;
}

TEST_F(Places, AStartLevelThatCannotBeReadStopsTheSearchThere) {
    // The first folder that has the level is the data: a later copy would
    // hide the fault.
    fs::create_directories(Cwd() + "/Data/Levels/menu.lvl");
    Menu(Installed());
    const DataLocation::Result result = Find();
    EXPECT_FALSE(result.Found());
    EXPECT_NE(result.error.find("cannot read the start level"), std::string::npos) << result.error;
    EXPECT_EQ(result.error.find('\n'), std::string::npos) << result.error;
#ifndef _WIN32
    // A link to nothing is a start level that cannot be read, too.
    fs::remove(Cwd() + "/Data/Levels/menu.lvl");
    fs::create_symlink(places.Root() + "gone.lvl", Cwd() + "/Data/Levels/menu.lvl");
    const DataLocation::Result dangling = Find();
    EXPECT_FALSE(dangling.Found());
    EXPECT_NE(dangling.error.find("cannot read the start level"), std::string::npos) << dangling.error;
#endif
}

TEST_F(Places, TheCommandLineDecidesBetweenPlayingUsageVersionAndErrors) {
    const auto launch = [this](std::vector<std::string> arguments) {
        return GameLaunch::Prepare(arguments, Cwd(), Exe());
    };
    const GameLaunch help = launch({"--help"});
    EXPECT_FALSE(help.play);
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_FALSE(help.problem);
    EXPECT_NE(help.text.find("--data DIR"), std::string::npos);
    EXPECT_NE(help.text.find("../share/velmor/Data"), std::string::npos);
    EXPECT_NE(help.text.find("Esc"), std::string::npos);

    const GameLaunch version = launch({"--version"});
    EXPECT_EQ(version.text, std::string("velmor ") + VELMOR_VERSION + "\n");
    EXPECT_EQ(version.exitStatus, 0);

    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"--fullscreen"}, {"--data"}, {"--data="}, {"level1.lvl"}, {"--help", "-x"}}) {
        const GameLaunch bad = launch(wrong);
        EXPECT_FALSE(bad.play) << wrong[0];
        EXPECT_EQ(bad.exitStatus, 2) << wrong[0];
        EXPECT_TRUE(bad.problem);
        EXPECT_NE(bad.text.find("usage: velmor"), std::string::npos) << bad.text;
    }

    const GameLaunch nothing = launch({});
    EXPECT_FALSE(nothing.play);
    EXPECT_EQ(nothing.exitStatus, 1);
    EXPECT_TRUE(nothing.problem);

    Menu(places.Root() + "elsewhere");
    for (const std::vector<std::string>& chosen :
         {std::vector<std::string>{"--data", places.Root() + "elsewhere"}, {"--data=" + places.Root() + "elsewhere"}}) {
        const GameLaunch play = launch(chosen);
        EXPECT_TRUE(play.play);
        EXPECT_EQ(Normal(play.options.dataFolder), Normal(places.Root() + "elsewhere"));
    }
}

TEST_F(Places, TheGameReadsEverythingFromTheFolderItFound) {
    const std::string folder = places.Root() + "my levels";
    places.Write("my levels/Levels/menu.lvl", "thing.txt end");
    places.Write("my levels/Archetypes/thing.txt", "Position end");
    const GameLaunch launch = GameLaunch::Prepare({"--data", folder}, Cwd(), Exe());
    ASSERT_TRUE(launch.play);
    HeadlessPlatform platform;
    Application::Options options = launch.options;
    options.seed = 1;
    Application app(platform, options);
    ASSERT_TRUE(app.Startup());
    ASSERT_NE(gFactory, nullptr);
    EXPECT_EQ(gFactory->objects.size(), 1u);
    app.Shutdown();
}
