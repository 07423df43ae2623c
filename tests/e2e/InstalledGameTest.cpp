// The packages as a player gets them: each is unpacked into a temporary
// root (not installed on this machine) and its game started from "/" by the
// full path of its binary, as a desktop entry or a shell elsewhere would.
// A Linux package's menu must look as the source tree's build shows it, and
// Esc must end the game with 0. The Windows zip's velmor.exe runs under
// Wine, driven like the Linux game on the same display: its menu and the
// first frame of every level a menu button opens must agree with the OpenGL
// build's pictures of the same frames. scripts/package.sh --check names the
// Linux packages in VELMOR_DEB and VELMOR_TGZ; scripts/windows.sh names the
// zip in VELMOR_WINDOWS_ZIP, Wine in VELMOR_WINE (WINEPREFIX made) and a
// folder for the pictures in VELMOR_SCREENSHOTS. Without a package, its
// tests skip.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "e2e/RealGameTest.h"
#include "harness/CommandRun.h"
#include "harness/TempData.h"

namespace fs = std::filesystem;

namespace {
std::string Quoted(const std::string& text) { return "'" + text + "'"; }

std::string Variable(const char* name, const char* otherwise = "") {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : otherwise;
}

class InstalledGame : public RealGameTest {
protected:
    // Each test starts its own games.
    void SetUp() override {}

    // Unpacks the package named by `variable`, a .deb, .tar.gz or .zip; the
    // root it was unpacked into, or "" when none is named (the test skips).
    std::string Unpack(const char* variable) {
        const std::string package = Variable(variable);
        if (package.empty()) {
            return {};
        }
        const std::string root = unpacked_.Root() + "root";
        fs::create_directories(root);
        // The tarball holds one folder, velmor-<version>-<system>.
        const std::string unpack = package.ends_with(".deb")   ? "dpkg-deb -x " + Quoted(package) + " " + Quoted(root)
                                   : package.ends_with(".zip") ? "unzip -q " + Quoted(package) + " -d " + Quoted(root)
                                                               : "tar -xzf " + Quoted(package) + " -C " + Quoted(root) +
                                                                     " --strip-components=1";
        const CommandRun run = RunCommand(unpack + " 2>&1");
        EXPECT_EQ(run.status, 0) << unpack << ": " << run.out;
        return root;
    }

    // `game` is asked for its version: it answers and ends with 0.
    void ExpectVersion(std::unique_ptr<GameProcess> game) {
        game_ = std::move(game);
        ASSERT_TRUE(game_->Start());
        ExpectExitStatusZero("--version");
        std::string version = game_->Output();
        std::erase(version, '\r');  // Windows ends its lines with CR LF
        EXPECT_EQ(version, "velmor " VELMOR_VERSION "\n");
    }

    // Starts `executable` from "/" and the source tree's build from the
    // repository root: the two menus agree, and Esc ends the installed game.
    void ExpectTheSourceTreeMenu(const std::string& executable, const std::string& dataRoot) {
        ASSERT_TRUE(fs::is_regular_file(executable)) << executable;
        ExpectVersion(std::make_unique<GameProcess>(executable, "/", dataRoot, std::vector<std::string>{"--version"}));

        StartGame(std::make_unique<GameProcess>(executable, "/", dataRoot));
        ASSERT_FALSE(HasFatalFailure());
        const Screenshot installed = Shot();
        EXPECT_EQ(display_.IconWidth(window_), 64) << "the installed game's window has not its icon";
        PressKey("Escape");
        ExpectExitStatusZero("Esc in the installed game");

        StartGame(std::make_unique<GameProcess>(VELMOR_EXECUTABLE, SourceRoot(), SourceRoot()));
        ASSERT_FALSE(HasFatalFailure());
        const double agreement = installed.Agreement(Shot(), Screenshot::kThreePercent);
        RecordProperty("menu_agreement_percent", std::to_string(100.0 * agreement));
        std::printf("%s: the menu agrees with the source tree's on %.3f %% of %d x %d pixels\n", executable.c_str(),
                    100.0 * agreement, installed.Width(), installed.Height());
        EXPECT_GE(agreement, 0.999) << "the installed game's menu agrees on " << 100.0 * agreement
                                    << " % of the pixels with the source tree's";
    }

    TempData unpacked_;
};

using Pictures = std::vector<std::pair<std::string, Screenshot>>;

class WindowsGame : public InstalledGame {
protected:
    void SetUp() override {
        const std::string root = Unpack("VELMOR_WINDOWS_ZIP");
        if (root.empty()) {
            GTEST_SKIP() << "VELMOR_WINDOWS_ZIP names no zip (scripts/windows.sh sets it)";
        }
        stage_ = root + "/velmor-" VELMOR_VERSION "-windows-x86_64/";
        for (const char* file : {"velmor.exe", "Data/Levels/menu.lvl", "README.md", "LICENSE"}) {
            ASSERT_TRUE(fs::is_regular_file(stage_ + file)) << "the zip has no " << file;
        }
    }

    // velmor.exe under Wine, started from "/": it finds Data/ beside itself.
    std::unique_ptr<GameProcess> WindowsGameProcess(std::vector<std::string> arguments = {}) const {
        arguments.insert(arguments.begin(), stage_ + "velmor.exe");
        return std::make_unique<GameProcess>(Variable("VELMOR_WINE", "wine"), "/", stage_, std::move(arguments));
    }

    // The menu, then the first frame of every level a menu button opens,
    // each level left with Esc.
    Pictures TakePictures() {
        // A level's creatures take their first step with the time of the
        // frame that handles the click: a higher priority (where allowed)
        // keeps that frame short, so their steps differ less between games.
        setpriority(PRIO_PROCESS, static_cast<id_t>(game_->Pid()), -10);
        ParkPointer();
        Pictures pictures = {{"menu", StillShot()}};
        for (const MenuButton& button : menu_.buttons) {
            if (button.command != MsgSwitchLevel && button.command != MsgLoadLevel) {
                continue;
            }
            // A switch is seen where the button was (the frame that handles
            // the click still draws the menu); a loaded level comes on top
            // of the menu, anywhere.
            const bool switched = button.command == MsgSwitchLevel;
            const Screenshot frame = FirstFrameAfterClick(
                button.place.position,
                switched ? VirtualRect::Around(button.place.position, button.place.size) : VirtualRect{},
                switched ? 0.5 : 0.005);
            EXPECT_FALSE(frame.Empty()) << button.level << " did not show after a click on its button";
            pictures.emplace_back(fs::path(button.level).stem().string(), frame);
            PressKey("Escape");
            ParkPointer();
            EXPECT_TRUE(MenuShown(WaitFor([this](const Screenshot& s) { return MenuShown(s); }, 60.0)))
                << "no menu after Esc in " << button.level;
        }
        return pictures;
    }

    // Prints how long the part since the last call took.
    void Lap(const char* part) {
        const auto now = std::chrono::steady_clock::now();
        std::printf("--- %s: %.1f s\n", part, std::chrono::duration<double>(now - lap_).count());
        lap_ = now;
    }

    std::string stage_;
    std::chrono::steady_clock::time_point lap_ = std::chrono::steady_clock::now();
};
}  // namespace

TEST_F(InstalledGame, TheDebianPackageStartedFromTheRootShowsTheMenu) {
    const std::string root = Unpack("VELMOR_DEB");
    if (root.empty()) {
        GTEST_SKIP() << "VELMOR_DEB names no package (scripts/package.sh --check sets it)";
    }
    ExpectTheSourceTreeMenu(root + "/usr/games/velmor", root + "/usr/share/velmor/");
}

TEST_F(InstalledGame, TheTarballUnpackedAnywhereShowsTheMenu) {
    const std::string root = Unpack("VELMOR_TGZ");
    if (root.empty()) {
        GTEST_SKIP() << "VELMOR_TGZ names no package (scripts/package.sh --check sets it)";
    }
    ExpectTheSourceTreeMenu(root + "/bin/velmor", root + "/share/velmor/");
}

TEST_F(WindowsGame, AnswersVersionFromTheRoot) { ExpectVersion(WindowsGameProcess({"--version"})); }

TEST_F(WindowsGame, ItsPicturesAgreeWithTheOpenGLGamesAndQuitEndsItWithZero) {
    StartGame(WindowsGameProcess());
    ASSERT_FALSE(HasFatalFailure());
    const int width = width_;
    const int height = height_;
    const Pictures windows = TakePictures();
    Lap("the Windows game: the menu and every level's first frame");
    ASSERT_NE(FirstButton(MsgQuit), nullptr);
    ClickAt(FirstButton(MsgQuit)->place.position);
    ExpectExitStatusZero("the click on Quit");
    Lap("the Windows game: a click on Quit");

    StartGame(std::make_unique<GameProcess>());
    ASSERT_FALSE(HasFatalFailure());
    // Like with like: both games draw the same 1280 x 1024 back buffer and
    // Present stretches it onto the client area. The Linux window gets the
    // Windows client size, so its Present does the same stretch.
    ASSERT_TRUE(Xdotool(window_).Resize(width, height));
    const Screenshot resized =
        WaitFor([&](const Screenshot& s) { return s.Width() == width && s.Height() == height; }, 10.0);
    ASSERT_EQ(resized.Width(), width) << "the Linux window could not be given the Windows client size";
    ASSERT_EQ(resized.Height(), height);
    width_ = width;
    height_ = height;
    const Pictures opengl = TakePictures();
    Lap("the OpenGL game: the same pictures");

    ASSERT_EQ(windows.size(), opengl.size());
    const std::string folder = Variable("VELMOR_SCREENSHOTS");
    std::printf("%-12s %10s %10s %14s\n", "picture", "3 % fuzz", "identical", "within 1 px");
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const auto& [name, picture] = windows[i];
        const Screenshot& reference = opengl[i].second;
        const double fuzzy = 100.0 * picture.Agreement(reference, Screenshot::kThreePercent);
        std::printf("%-12s %9.3f%% %9.3f%% %13.3f%%\n", name.c_str(), fuzzy, 100.0 * picture.Agreement(reference, 0),
                    100.0 * picture.Agreement(reference, Screenshot::kThreePercent, true));
        RecordProperty(name + "_agreement_percent", std::to_string(fuzzy));
        if (!folder.empty()) {
            picture.SavePng(folder + "/" + name + "-windows.png");
            reference.SavePng(folder + "/" + name + "-opengl.png");
            picture.Difference(reference, Screenshot::kThreePercent).SavePng(folder + "/" + name + "-difference.png");
        }
        // A level's creatures have moved by the time the game is stopped,
        // by as much as each run's frames allow (and the two C libraries'
        // random numbers differ): a looser gate than the still menu's, whose
        // still parts agree as well as the menu's.
        EXPECT_GE(fuzzy, name == "menu" ? 99.5 : 99.0) << name << " agrees on too few pixels";
    }
    std::printf("(pixels of %d x %d; a pixel agrees when no channel differs by 3 %% or more)\n", width, height);
    Lap("agreement with the OpenGL game");
}

TEST_F(WindowsGame, ClosingItsWindowEndsItWithZero) {
    StartGame(WindowsGameProcess());
    ASSERT_FALSE(HasFatalFailure());
    // Alt+F4 is the system close: DefWindowProcA turns it into WM_CLOSE and
    // that into DestroyWindow, whose WM_DESTROY ends the game.
    PressKey("alt+F4");
    ExpectExitStatusZero("alt+F4");
}
