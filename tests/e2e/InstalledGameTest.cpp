// The packages as a player gets them: each is unpacked into a temporary
// root (not installed on this machine) and its game started from "/" by the
// full path of its binary, as a desktop entry or a shell elsewhere would.
// The menu must look as the source tree's build shows it, and Esc must end
// the game with 0. scripts/package.sh --check names the packages in
// VELMOR_DEB and VELMOR_TGZ; without them these tests skip.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "e2e/RealGameTest.h"
#include "support/CommandRun.h"
#include "support/TempData.h"

namespace fs = std::filesystem;

namespace {
std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// Share of pixels whose channels all differ by at most 3 % of full scale.
double Agreement(const Screenshot& a, const Screenshot& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height() || a.Empty()) {
        return 0.0;
    }
    long same = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            bool close = true;
            for (int shift : {0, 8, 16}) {
                const int pa = static_cast<int>((a.At(x, y) >> shift) & 0xFF);
                const int pb = static_cast<int>((b.At(x, y) >> shift) & 0xFF);
                close = close && std::abs(pa - pb) <= 8;
            }
            same += close ? 1 : 0;
        }
    }
    return static_cast<double>(same) / (static_cast<double>(a.Width()) * a.Height());
}

class InstalledGame : public RealGameTest {
protected:
    // Each test starts its own games.
    void SetUp() override {}

    // Unpacks the package named by `variable`, a .deb or a .tar.gz; the
    // root it was unpacked into, or "" when none is named (the test skips).
    std::string Unpack(const char* variable) {
        const char* package = std::getenv(variable);
        if (package == nullptr || *package == '\0') {
            return {};
        }
        const std::string root = unpacked_.Root() + "root";
        fs::create_directories(root);
        // The tarball holds one folder, velmor-<version>-<system>.
        const std::string unpack =
            std::string(package).ends_with(".deb")
                ? "dpkg-deb -x " + Quoted(package) + " " + Quoted(root)
                : "tar -xzf " + Quoted(package) + " -C " + Quoted(root) + " --strip-components=1";
        const CommandRun run = RunCommand(unpack + " 2>&1");
        EXPECT_EQ(run.status, 0) << unpack << ": " << run.out;
        return root;
    }

    // Starts `executable` from "/" and the source tree's build from the
    // repository root: the two menus agree, and Esc ends the installed game.
    void ExpectTheSourceTreeMenu(const std::string& executable, const std::string& dataRoot) {
        ASSERT_TRUE(fs::is_regular_file(executable)) << executable;
        const CommandRun version = RunCommand("cd / && " + Quoted(executable) + " --version");
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out, std::string("velmor ") + VELMOR_VERSION + "\n");

        StartGame(std::make_unique<GameProcess>(executable, "/", dataRoot));
        ASSERT_FALSE(HasFatalFailure());
        const Screenshot installed = Shot();
        EXPECT_EQ(display_.IconWidth(window_), 64) << "the installed game's window has not its icon";
        PressKey("Escape");
        const std::optional<int> status = game_->WaitForExit(60.0);
        ASSERT_TRUE(status.has_value()) << "the installed game did not end on Esc: " << game_->ErrorOutput();
        EXPECT_EQ(*status, 0);

        StartGame(std::make_unique<GameProcess>(VELMOR_EXECUTABLE, SourceRoot(), SourceRoot()));
        ASSERT_FALSE(HasFatalFailure());
        const double agreement = Agreement(installed, Shot());
        RecordProperty("menu_agreement_percent", std::to_string(100.0 * agreement));
        std::printf("%s: the menu agrees with the source tree's on %.3f %% of %d x %d pixels\n", executable.c_str(),
                    100.0 * agreement, installed.Width(), installed.Height());
        EXPECT_GE(agreement, 0.999) << "the installed game's menu agrees on " << 100.0 * agreement
                                    << " % of the pixels with the source tree's";
    }

    TempData unpacked_;
};
}  // namespace

TEST_F(InstalledGame, TheDebianPackageStartedFromTheRootShowsTheMenu) {
    const std::string root = Unpack("VELMOR_DEB");
    if (root.empty()) {
        GTEST_SKIP() << "VELMOR_DEB names no package (scripts/package.sh --check sets it)";
    }
    ExpectTheSourceTreeMenu(root + "/usr/bin/velmor", root + "/usr/share/velmor/");
}

TEST_F(InstalledGame, TheTarballUnpackedAnywhereShowsTheMenu) {
    const std::string root = Unpack("VELMOR_TGZ");
    if (root.empty()) {
        GTEST_SKIP() << "VELMOR_TGZ names no package (scripts/package.sh --check sets it)";
    }
    ExpectTheSourceTreeMenu(root + "/bin/velmor", root + "/share/velmor/");
}
