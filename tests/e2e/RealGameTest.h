#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "e2e/GameProcess.h"
#include "e2e/Screenshot.h"
#include "e2e/SpriteMatcher.h"
#include "e2e/XDisplay.h"
#include "e2e/Xdotool.h"
#include "tools/layout/GameLayout.h"

// Base of the tests that drive the real game executable from outside: it
// starts the game on a copy of the shipped data, waits for its window and
// for the menu, and kills the game at the end. Input goes in through
// xdotool, pictures come out through the X server (XGetImage), and what
// they should show is read from the data with the engine's reader.
class RealGameTest : public ::testing::Test {
protected:
    // Starts the built game on a copy of the shipped data.
    void SetUp() override;
    void TearDown() override;
    // Starts `game` and waits for its window and its menu (a fatal failure
    // when they do not come).
    void StartGame(std::unique_ptr<GameProcess> game);

    // Waits for a screenshot that satisfies `shown`, polling every `every`
    // seconds, for at most `seconds`; the last screenshot taken either way
    // (empty if the game has ended or the window is gone).
    Screenshot WaitFor(const std::function<bool(const Screenshot&)>& shown, double seconds, double every = 0.05);
    Screenshot Shot() const { return display_.Capture(window_); }
    // A screenshot once two taken half a second apart are the same (the
    // first frames may still be on their way).
    Screenshot StillShot();
    // Clicks at `point` and stops the game on the first frame in which more
    // than `share` of the pixels over `watch` have changed: the screenshot
    // of that very frame (empty when none came). The game then goes on.
    Screenshot FirstFrameAfterClick(Vec2 point, const VirtualRect& watch, double share);
    // Only the window pixels over a rectangle of the 1280 x 1024 space.
    Screenshot ShotOf(const VirtualRect& rect) const;

    // Pointer moves and clicks at a point of the 1280 x 1024 space.
    void MoveTo(Vec2 point) const;
    void ClickAt(Vec2 point, int button = 1) const;
    // Puts the game's cursor sprite at the window's bottom-right corner and
    // the X pointer outside the window, so that neither hides the picture.
    void ParkPointer() const;
    // Gives the game the keyboard, then presses and releases a key.
    void PressKey(const std::string& key) const;
    // Waits for the game to end by itself, `after` what, with status 0.
    void ExpectExitStatusZero(const std::string& after);

    // The score of an image file of Data/Images drawn over a placement.
    std::optional<double> Score(const Screenshot& shot, const std::string& image, Vec2 centre, Vec2 size,
                                const VirtualRect& clip = VirtualRect{});
    std::optional<double> Score(const Screenshot& shot, const Placement& place) {
        return Score(shot, place.image, place.position, place.size);
    }
    const SpriteMatcher& Matcher(const std::string& image);

    // Every menu button shows its image where the data puts it.
    bool MenuShown(const Screenshot& shot);
    const MenuButton* FirstButton(MessageId command) const;
    // Clicks a level's menu button and waits for its player to show up at
    // its data position; the level's layout, or nullopt (with a failure).
    std::optional<GameLayout::Level> EnterLevel(const MenuButton& button);

    // A sprite counts as shown from this share of matching samples on, and
    // as absent below the other.
    static constexpr double kShown = 0.9;
    static constexpr double kAbsent = 0.5;

    std::unique_ptr<GameProcess> game_;
    XDisplay display_;
    unsigned long window_ = 0;
    int width_ = 0;
    int height_ = 0;
    GameLayout::Menu menu_;

private:
    std::map<std::string, std::unique_ptr<SpriteMatcher>> matchers_;
};
