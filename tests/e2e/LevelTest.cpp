#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "e2e/RealGameTest.h"

namespace {
std::string Where(Vec2 point) {
    // Appended piece by piece: g++ 12 at -O3 misreads "(" + std::string as
    // an overlapping copy (-Wrestrict).
    std::string text = "(";
    text += std::to_string(point.x);
    text += ", ";
    text += std::to_string(point.y);
    text += ")";
    return text;
}
}  // namespace

class RealGameLevel : public RealGameTest {
protected:
    // Where the player's image is within `area`, if it shows there.
    std::optional<Vec2> FindPlayer(const Screenshot& shot, const GameLayout::Level& level, const VirtualRect& area) {
        const std::optional<SpriteMatcher::Found> found =
            Matcher(level.player.image).Find(shot, level.player.size, area, kShown);
        return found ? std::optional<Vec2>(found->centre) : std::nullopt;
    }

    // Polls until the player shows at one place in two screenshots a
    // moment apart; that place, or nullopt.
    std::optional<Vec2> WaitForPlayerAtRest(const GameLayout::Level& level, const VirtualRect& area) {
        std::optional<Vec2> previous;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < deadline && game_->Running()) {
            const std::optional<Vec2> now = FindPlayer(Shot(), level, area);
            if (now && previous && std::abs(now->x - previous->x) <= 1.0f && std::abs(now->y - previous->y) <= 1.0f) {
                return now;
            }
            previous = now;
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
        }
        return std::nullopt;
    }

    // The best of the four cursor images at `point`.
    std::string CursorShown(const Screenshot& shot, const GameLayout::Level& level, Vec2 point) {
        std::string best;
        double bestScore = -1.0;
        for (const char* image : {"cursor.png", "snowcursor.png", "firecursor.png", "bothcursor.png"}) {
            const std::optional<double> score = Score(shot, image, point, level.cursor.size);
            if (score && *score > bestScore) {
                bestScore = *score;
                best = image;
            }
        }
        return best;
    }
};

TEST_F(RealGameLevel, ClickOnEachLevelButtonShowsItsLevelAndEscBringsTheMenuBack) {
    int levels = 0;
    for (const MenuButton& button : menu_.buttons) {
        if (button.command != MsgSwitchLevel) {
            continue;
        }
        ++levels;
        SCOPED_TRACE(button.level);
        const std::optional<GameLayout::Level> expected = GameLayout(game_->Root()).ReadLevel(button);
        ASSERT_TRUE(expected.has_value());
        const std::optional<double> before = Score(Shot(), expected->player);
        ASSERT_TRUE(before.has_value());
        EXPECT_LT(*before, kAbsent) << "the menu already shows the player where the level puts it";
        ASSERT_TRUE(EnterLevel(button).has_value());
        PressKey("Escape");
        const Screenshot menu = WaitFor([this](const Screenshot& s) { return MenuShown(s); }, 60.0);
        ASSERT_TRUE(!menu.Empty() && MenuShown(menu)) << "Esc in " << button.level << " did not bring the menu back";
        ParkPointer();
    }
    EXPECT_GE(levels, 1);
}

TEST_F(RealGameLevel, ArrowAndLetterKeysMoveThePlayerTheirWay) {
    const MenuButton* button = FirstButton(MsgSwitchLevel);
    ASSERT_NE(button, nullptr);
    const std::optional<GameLayout::Level> level = EnterLevel(*button);
    ASSERT_TRUE(level.has_value());
    ParkPointer();
    const Xdotool input(window_);
    ASSERT_TRUE(input.Focus());
    Vec2 at = level->player.position;
    const struct {
        const char* key;
        Vec2 direction;
    } moves[] = {{"a", {-1.0f, 0.0f}}, {"Up", {0.0f, -1.0f}}, {"s", {0.0f, 1.0f}}, {"Right", {1.0f, 0.0f}}};
    for (const auto& move : moves) {
        SCOPED_TRACE(move.key);
        // The band across the whole screen through the player, along the
        // axis of the key: found there whichever way it went.
        const float reach = 2.0f * level->player.size.x;
        const VirtualRect band = move.direction.x != 0.0f ? VirtualRect{0.0f, at.y - reach, 1280.0f, at.y + reach}
                                                          : VirtualRect{at.x - reach, 0.0f, at.x + reach, 1024.0f};
        // Held for a moment, and then until the player's pixels change,
        // watched closely: a frame of a busy game may take longer than any
        // fixed hold, and every frame with the key down speeds it up.
        const VirtualRect start = VirtualRect::Around(at, level->player.size);
        const Screenshot still = ShotOf(start);
        ASSERT_TRUE(input.KeyDown(move.key));
        const auto pressed = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        while (std::chrono::steady_clock::now() - pressed < std::chrono::seconds(10) &&
               still.Differing(ShotOf(start)) < 8) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ASSERT_TRUE(input.KeyUp(move.key));
        const std::optional<Vec2> rest = WaitForPlayerAtRest(*level, band);
        ASSERT_TRUE(rest.has_value()) << "the player does not show near " << Where(at) << " after " << move.key;
        const float along = (rest->x - at.x) * move.direction.x + (rest->y - at.y) * move.direction.y;
        const float across = std::abs((rest->x - at.x) * move.direction.y - (rest->y - at.y) * move.direction.x);
        EXPECT_GE(along, 8.0f) << "from " << Where(at) << " to " << Where(*rest);
        EXPECT_LT(across, std::max(4.0f, along / 2.0f)) << "from " << Where(at) << " to " << Where(*rest);
        at = *rest;
    }
}

TEST_F(RealGameLevel, LeftClickThrowsASnowballAlongTheAimLine) {
    const MenuButton* button = FirstButton(MsgSwitchLevel);
    ASSERT_NE(button, nullptr);
    const std::optional<GameLayout::Level> level = EnterLevel(*button);
    ASSERT_TRUE(level.has_value());
    const Vec2 player = level->player.position;
    // Aimed level with the player, towards the middle of the screen, short
    // of where the first level's wanderer roams (it would deflect the shot).
    const Vec2 aim{player.x < 640.0f ? player.x + 400.0f : player.x - 400.0f, player.y};
    MoveTo(aim);
    // The cursor tells when a snowball is ready.
    const Screenshot ready = WaitFor(
        [&](const Screenshot& s) {
            const std::string cursor = CursorShown(s, *level, aim);
            return cursor == "snowcursor.png" || cursor == "bothcursor.png";
        },
        60.0);
    ASSERT_FALSE(ready.Empty());
    const std::string cursor = CursorShown(ready, *level, aim);
    ASSERT_TRUE(cursor == "snowcursor.png" || cursor == "bothcursor.png")
        << "the cursor at " << Where(aim) << " shows " << cursor;

    // Between the player and the cursor, a band as high as the snowball.
    const float side = aim.x > player.x ? 1.0f : -1.0f;
    const float near = player.x + side * (level->player.size.x + level->snowball.size.x);
    const float far = aim.x - side * (level->cursor.size.x + level->snowball.size.x);
    const VirtualRect line{std::min(near, far), player.y - 2.0f * level->snowball.size.y, std::max(near, far),
                           player.y + 2.0f * level->snowball.size.y};
    const SpriteMatcher& snowball = Matcher(level->snowball.image);
    EXPECT_FALSE(snowball.Find(ready, level->snowball.size, line, kShown).has_value())
        << "a snowball shows before the click";

    ASSERT_TRUE(Xdotool(window_).Click(1));
    std::vector<Vec2> seen;
    bool reloading = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline && game_->Running()) {
        const Screenshot shot = Shot();
        const std::string now = CursorShown(shot, *level, aim);
        reloading = reloading || now == "cursor.png" || now == "firecursor.png";
        if (const auto found = snowball.Find(shot, level->snowball.size, line, kShown)) {
            seen.push_back(found->centre);
        } else if (!seen.empty()) {
            break;  // it has flown past the cursor
        }
    }
    RecordProperty("snowball_sightings", static_cast<int>(seen.size()));
    ASSERT_FALSE(seen.empty()) << "no " << level->snowball.image << " between " << Where(player) << " and "
                               << Where(aim);
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_NEAR(seen[i].y, player.y, 3.0f) << "off the aim line at " << Where(seen[i]);
        // Screenshots may come faster than frames: a place may repeat.
        if (i > 0) {
            EXPECT_GE((seen[i].x - seen[i - 1].x) * side, 0.0f)
                << "not flying towards the cursor: " << Where(seen[i - 1]) << " then " << Where(seen[i]);
        }
    }
    EXPECT_TRUE(reloading) << "the cursor did not show the snowball reloading";
}
