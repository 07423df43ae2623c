#include "e2e/RealGameTest.h"

#include <signal.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>
#include <utility>

#include "harness/DisplayCheck.h"
#include "harness/TempData.h"

namespace {
constexpr const char* kTitle = "VelmorWindowClass";
// Generous: two busy cores, and a sanitizer build of the game on a
// software renderer.
constexpr double kStartLimit = 90.0;
constexpr double kChangeLimit = 60.0;

std::string Describe(const std::optional<double>& score) {
    return score ? std::to_string(*score) : std::string("none");
}
}  // namespace

void RealGameTest::SetUp() { StartGame(std::make_unique<GameProcess>()); }

void RealGameTest::StartGame(std::unique_ptr<GameProcess> game) {
    if (const std::string missing = MissingForDisplayTests(true); !missing.empty()) {
        GTEST_SKIP() << missing;
    }
    ASSERT_TRUE(display_.Open()) << "cannot open the X display " << std::getenv("DISPLAY");
    if (game_) {
        game_->Kill();
    }
    window_ = 0;
    game_ = std::move(game);
    const std::optional<GameLayout::Menu> menu = GameLayout(game_->Root()).ReadMenu();
    ASSERT_TRUE(menu.has_value()) << "the engine cannot read the menu of the shipped data";
    menu_ = *menu;
    ASSERT_FALSE(menu_.buttons.empty());

    ASSERT_TRUE(game_->Start());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(kStartLimit);
    while (window_ == 0 && std::chrono::steady_clock::now() < deadline) {
        ASSERT_TRUE(game_->Running()) << "the game ended before showing its window: " << game_->ErrorOutput();
        window_ = display_.FindWindow(game_->Pid(), kTitle);
        if (window_ == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    ASSERT_NE(window_, 0UL) << "no window titled " << kTitle << " within " << kStartLimit << " s";
    ASSERT_TRUE(display_.Size(window_, width_, height_));
    ParkPointer();
    const Screenshot shot = WaitFor([this](const Screenshot& s) { return MenuShown(s); }, kStartLimit);
    ASSERT_TRUE(!shot.Empty() && MenuShown(shot)) << "the menu did not appear; game errors: " << game_->ErrorOutput();
}

void RealGameTest::TearDown() {
    if (game_) {
        game_->Kill();
    }
}

Screenshot RealGameTest::WaitFor(const std::function<bool(const Screenshot&)>& shown, double seconds, double every) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    Screenshot shot;
    for (;;) {
        if (!game_->Running()) {
            return {};
        }
        shot = Shot();
        if (!shot.Empty() && shown(shot)) {
            return shot;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return shot;
        }
        std::this_thread::sleep_for(std::chrono::duration<double>(every));
    }
}

Screenshot RealGameTest::StillShot() {
    Screenshot previous;
    return WaitFor([&](const Screenshot& s) { return s.Differing(std::exchange(previous, s)) == 0; }, kChangeLimit,
                   0.5);
}

Screenshot RealGameTest::FirstFrameAfterClick(Vec2 point, const VirtualRect& watch, double share) {
    MoveTo(point);
    // The cursor gets there before the click, and is part of `before`.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const Screenshot before = ShotOf(watch);
    const double pixels = (watch.right - watch.left) * static_cast<float>(width_) / 1280.0f *
                          (watch.bottom - watch.top) * static_cast<float>(height_) / 1024.0f;
    EXPECT_TRUE(Xdotool(window_).Click(1));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(kChangeLimit);
    while (std::chrono::steady_clock::now() < deadline && game_->Running()) {
        if (static_cast<double>(before.Differing(ShotOf(watch))) > share * pixels) {
            kill(game_->Pid(), SIGSTOP);
            const Screenshot frame = Shot();
            kill(game_->Pid(), SIGCONT);
            return frame;
        }
    }
    return {};
}

Screenshot RealGameTest::ShotOf(const VirtualRect& rect) const {
    const float scaleX = static_cast<float>(width_) / 1280.0f;
    const float scaleY = static_cast<float>(height_) / 1024.0f;
    const int left = static_cast<int>(std::floor(rect.left * scaleX)) - 1;
    const int top = static_cast<int>(std::floor(rect.top * scaleY)) - 1;
    const int right = static_cast<int>(std::ceil(rect.right * scaleX)) + 1;
    const int bottom = static_cast<int>(std::ceil(rect.bottom * scaleY)) + 1;
    return display_.Capture(window_, left, top, right - left, bottom - top);
}

void RealGameTest::MoveTo(Vec2 point) const {
    // The inverse of the window procedure's client-to-virtual mapping.
    const int x = static_cast<int>(std::lround(point.x * static_cast<float>(width_) / 1280.0f));
    const int y = static_cast<int>(std::lround(point.y * static_cast<float>(height_) / 1024.0f));
    EXPECT_TRUE(Xdotool(window_).MoveTo(x, y));
}

void RealGameTest::ClickAt(Vec2 point, int button) const {
    MoveTo(point);
    EXPECT_TRUE(Xdotool(window_).Click(button));
}

void RealGameTest::ParkPointer() const {
    const Xdotool input(window_);
    EXPECT_TRUE(input.MoveTo(width_ - 1, height_ - 1));
    // The window sits at the screen's top-left corner; xdotool keeps the
    // pointer on the screen, so this leaves it beyond the window wherever
    // the screen is larger.
    EXPECT_TRUE(input.MoveToScreen(width_ + 100, height_ + 100));
}

void RealGameTest::PressKey(const std::string& key) const {
    const Xdotool input(window_);
    EXPECT_TRUE(input.Focus());
    EXPECT_TRUE(input.Key(key));
}

void RealGameTest::ExpectExitStatusZero(const std::string& after) {
    const std::optional<int> status = game_->WaitForExit(60.0);
    ASSERT_TRUE(status.has_value()) << (game_->Crashed() ? "the game crashed" : "the game did not end") << " after "
                                    << after << ": " << game_->ErrorOutput();
    EXPECT_EQ(*status, 0) << "after " << after;
}

const SpriteMatcher& RealGameTest::Matcher(const std::string& image) {
    std::unique_ptr<SpriteMatcher>& matcher = matchers_[image];
    if (!matcher) {
        matcher = std::make_unique<SpriteMatcher>(SourceRoot() + "Data/Images/" + image);
        EXPECT_TRUE(matcher->Loaded()) << image;
    }
    return *matcher;
}

std::optional<double> RealGameTest::Score(const Screenshot& shot, const std::string& image, Vec2 centre, Vec2 size,
                                          const VirtualRect& clip) {
    return Matcher(image).Score(shot, centre, size, clip);
}

bool RealGameTest::MenuShown(const Screenshot& shot) {
    for (const MenuButton& button : menu_.buttons) {
        // The button under the pointer shows its hover image instead.
        std::optional<double> score = Score(shot, button.place);
        if ((!score || *score < kShown) && !button.hover.empty()) {
            score = Score(shot, button.hover, button.place.position, button.place.size);
        }
        if (!score || *score < kShown) {
            return false;
        }
    }
    return true;
}

const MenuButton* RealGameTest::FirstButton(MessageId command) const {
    for (const MenuButton& button : menu_.buttons) {
        if (button.command == command) {
            return &button;
        }
    }
    return nullptr;
}

std::optional<GameLayout::Level> RealGameTest::EnterLevel(const MenuButton& button) {
    const std::optional<GameLayout::Level> level = GameLayout(game_->Root()).ReadLevel(button);
    if (!level) {
        ADD_FAILURE() << "the engine cannot load " << button.level << " through its button";
        return std::nullopt;
    }
    ClickAt(button.place.position);
    const Screenshot shot = WaitFor(
        [&](const Screenshot& s) {
            const std::optional<double> player = Score(s, level->player);
            const std::optional<double> gone = Score(s, button.place);
            return player && *player >= kShown && gone && *gone < kAbsent;
        },
        kChangeLimit);
    if (shot.Empty()) {
        ADD_FAILURE() << "the game ended or lost its window after the click on " << button.place.image;
        return std::nullopt;
    }
    const std::optional<double> player = Score(shot, level->player);
    const std::optional<double> gone = Score(shot, button.place);
    if (!player || *player < kShown || !gone || *gone >= kAbsent) {
        ADD_FAILURE() << "after the click on " << button.place.image << ": player " << level->player.image << " at ("
                      << level->player.position.x << ", " << level->player.position.y << ") scores " << Describe(player)
                      << ", the button " << Describe(gone);
        return std::nullopt;
    }
    return level;
}
