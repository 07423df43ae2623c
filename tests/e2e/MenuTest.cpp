#include "e2e/RealGameTest.h"

using RealGameMenu = RealGameTest;

namespace {
bool Overlap(const VirtualRect& a, const VirtualRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool SamePlace(const Placement& a, const Placement& b) {
    return a.image == b.image && a.position.x == b.position.x && a.position.y == b.position.y && a.size.x == b.size.x &&
           a.size.y == b.size.y;
}
}  // namespace

TEST_F(RealGameMenu, ShowsEveryButtonImageWhereTheDataPutsItOverTheBackground) {
    const Screenshot shot = Shot();
    ASSERT_FALSE(shot.Empty());
    ASSERT_NE(FirstButton(MsgQuit), nullptr) << "the menu has no Quit button";
    ASSERT_NE(FirstButton(MsgSwitchLevel), nullptr) << "the menu has no level button";
    const Placement& background = menu_.background;
    for (const MenuButton& button : menu_.buttons) {
        const VirtualRect rect = VirtualRect::Around(button.place.position, button.place.size);
        const std::optional<double> image = Score(shot, button.place);
        ASSERT_TRUE(image.has_value()) << button.place.image << " has no opaque part";
        EXPECT_GE(*image, kShown) << button.place.image;
        // The button hides the background beneath it...
        const std::optional<double> hidden = Score(shot, background.image, background.position, background.size, rect);
        ASSERT_TRUE(hidden.has_value());
        EXPECT_LT(*hidden, kAbsent) << background.image << " shows through " << button.place.image;
    }

    // ... and where the data puts nothing but the background, the picture
    // is the background's and no button's.
    const Vec2 size = menu_.buttons.front().place.size;
    const VirtualRect cursor{1280.0f - 2.0f * menu_.cursorSize.x, 1024.0f - 2.0f * menu_.cursorSize.y, 1280.0f,
                             1024.0f};
    std::optional<VirtualRect> free;
    for (float y = size.y; y + size.y <= 1024.0f && !free; y += 16.0f) {
        for (float x = 1280.0f - size.x; x - size.x >= 0.0f && !free; x -= 16.0f) {
            const VirtualRect candidate = VirtualRect::Around({x, y}, size);
            bool clear = !Overlap(candidate, cursor);
            for (const Placement& sprite : menu_.sprites) {
                clear = clear && (SamePlace(sprite, background) ||
                                  !Overlap(candidate, VirtualRect::Around(sprite.position, sprite.size)));
            }
            if (clear) {
                free = candidate;
            }
        }
    }
    ASSERT_TRUE(free.has_value()) << "no place of a button's size shows only the background";
    const Vec2 centre{(free->left + free->right) * 0.5f, (free->top + free->bottom) * 0.5f};
    const std::optional<double> shown = Score(shot, background.image, background.position, background.size, *free);
    ASSERT_TRUE(shown.has_value());
    EXPECT_GE(*shown, kShown) << background.image << " around (" << centre.x << ", " << centre.y << ")";
    for (const MenuButton& button : menu_.buttons) {
        const std::optional<double> elsewhere = Score(shot, button.place.image, centre, size);
        ASSERT_TRUE(elsewhere.has_value());
        EXPECT_LT(*elsewhere, kAbsent) << button.place.image << " also shows around (" << centre.x << ", " << centre.y
                                       << ")";
    }
}

TEST_F(RealGameMenu, AButtonLightsUpOnlyWhileThePointerIsOverIt) {
    const MenuButton* button = nullptr;
    for (const MenuButton& candidate : menu_.buttons) {
        button = button == nullptr && !candidate.hover.empty() ? &candidate : button;
    }
    ASSERT_NE(button, nullptr) << "no menu button has a hover image";
    const auto shows = [&](const std::string& image) {
        return [this, button, image](const Screenshot& s) {
            const std::optional<double> score = Score(s, image, button->place.position, button->place.size);
            return score && *score >= kShown;
        };
    };
    MoveTo(button->place.position);
    EXPECT_TRUE(shows(button->hover)(WaitFor(shows(button->hover), 10.0)))
        << button->hover << " does not show under the pointer";
    ParkPointer();
    EXPECT_TRUE(shows(button->place.image)(WaitFor(shows(button->place.image), 10.0)))
        << button->place.image << " does not come back once the pointer has left";
}

TEST_F(RealGameMenu, ClickOnQuitEndsTheGameWithStatusZero) {
    const MenuButton* quit = FirstButton(MsgQuit);
    ASSERT_NE(quit, nullptr);
    ClickAt(quit->place.position);
    ExpectExitStatusZero("the click on Quit");
    EXPECT_EQ(game_->ErrorOutput(), "");
}

TEST_F(RealGameMenu, EscOnTheMenuEndsTheGameWithStatusZero) {
    PressKey("Escape");
    ExpectExitStatusZero("Esc");
}

TEST_F(RealGameMenu, TheWindowShowsTheGamesIcon) {
    // Data/Images/icon.png is 64 pixels wide; without it the window would
    // give the desktop no icon of its own.
    EXPECT_EQ(display_.IconWidth(window_), 64);
}
