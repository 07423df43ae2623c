// Backgrounds and the screens with text. A background covers the 1280 x 1024
// screen in two pieces drawn one texel per pixel: a 1024 x 1024 square and a
// 256 x 1024 edge to its right, cut from one picture. Text images keep the
// aspect ratio of the sprite that shows them.
#include "ButtonArt.h"
#include "Catalogue.h"

namespace {
using C = Canvas::Colour;

const C kWhite{255, 255, 255, 255};
const C kOutline{18, 20, 28, 255};
const C kGold{255, 195, 60, 255};

constexpr float kScreenWidth = 1280.0f;
// Where the edge piece starts in the whole picture.
constexpr float kEdge = 1024.0f;

// Each background draws the whole screen-wide picture shifted left by
// `left`; the canvas keeps what falls on it.
void Grass(Canvas& c, float left) {
    c.Fill(C{58, 112, 52, 255});
    Speckle random(21);
    for (int i = 0; i < 6250; ++i) {
        const float x = random.Next() * kScreenWidth - left;
        const float y = random.Next() * c.Height();
        const bool light = random.Next() < 0.5f;
        c.Box(x, y, x + 2.0f, y + 5.0f, light ? C{86, 146, 70, 255} : C{44, 92, 42, 255});
    }
    for (int i = 0; i < 75; ++i) {
        const float x = random.Next() * kScreenWidth - left;
        const float y = random.Next() * c.Height();
        c.Disc(x, y, 3, C{240, 230, 120, 255});
    }
}

void Flagstones(Canvas& c, float left) {
    c.Fill(C{96, 80, 60, 255});
    Speckle random(33);
    for (int row = 0; row < 16; ++row) {
        for (int col = -1; col < 20; ++col) {
            const float x = col * 64.0f + (row % 2 == 0 ? 0.0f : 32.0f) - left;
            // Warm sandstone, so that the grey walls stand out against it.
            const auto g = static_cast<std::uint8_t>(150 + random.Next() * 25);
            const C stone{g, static_cast<std::uint8_t>(g - 24), static_cast<std::uint8_t>(g - 56), 255};
            c.Box(x + 2, row * 64.0f + 2, x + 62, row * 64.0f + 62, stone);
        }
    }
}

void MenuBackground(Canvas& c, float left) {
    for (int y = 0; y < c.Height(); ++y) {
        const float t = static_cast<float>(y) / c.Height();
        c.Box(0, y, c.Width(), y + 1.0f,
              C{static_cast<std::uint8_t>(14 + 40 * t), static_cast<std::uint8_t>(20 + 10 * t),
                static_cast<std::uint8_t>(48 + 20 * (1 - t)), 255});
    }
    Speckle random(5);
    // Snow falling from the top, embers rising from the bottom.
    for (int i = 0; i < 275; ++i) {
        const float x = random.Next() * kScreenWidth - left;
        const float y = random.Next() * c.Height() * 0.6f;
        c.Disc(x, y, 1.5f + random.Next() * 2.5f, C{230, 240, 255, 170});
    }
    for (int i = 0; i < 200; ++i) {
        const float x = random.Next() * kScreenWidth - left;
        const float y = c.Height() - random.Next() * c.Height() * 0.4f;
        c.Disc(x, y, 1.5f + random.Next() * 2.0f, C{255, 140, 30, 190});
    }
}

void Pointer(Canvas& c) {
    // The arrow's tip is the image centre, where the mouse is.
    c.Triangle(32, 32, 32, 62, 53, 53, kOutline);
    c.Triangle(34, 37, 34, 57, 48, 51, kWhite);
}

void Title(Canvas& c) {
    c.Text("VELMOR", 518, 112, 170, C{0, 0, 0, 170});
    c.Text("VELMOR", 512, 104, 170, kGold);
    c.Text("snow, fire and things that bite", 512, 218, 40, C{225, 230, 245, 255});
}

// The menu's buttons: each drawn plain and lit (under the pointer).
struct ButtonLook {
    const char* name;
    const char* label;
    C face;
};
const ButtonLook kButtons[] = {
    {"button_level1", "Level 1", C{40, 125, 70, 255}},  {"button_level2", "Level 2", C{175, 120, 30, 255}},
    {"button_level3", "Level 3", C{150, 60, 160, 255}}, {"button_level4", "Level 4", C{195, 75, 30, 255}},
    {"button_level5", "Level 5", C{170, 35, 45, 255}},  {"button_help", "How to play", C{50, 80, 155, 255}},
    {"button_quit", "Quit", C{80, 80, 92, 255}},
};

void Help(Canvas& c) {
    c.Box(0, 0, c.Width(), c.Height(), kGold);
    c.Box(6, 6, c.Width() - 6, c.Height() - 6, C{12, 14, 24, 240});
    c.Text("How to play", 512, 50, 60, kGold);
    const char* const lines[] = {
        "Arrow keys or W A S D: move       Mouse: aim",
        "Left button: snowball       Right button: fireball",
        "Fireballs burn holes that swallow what touches them",
        "Shoot every crystal and creature to win",
        "Lava, holes, spit and creatures kill you",
        "Water slows you down and draws the wanderers",
        "Esc: back to the menu         L: restart the level",
    };
    float y = 118.0f;
    for (const char* line : lines) {
        c.Text(line, 512, y, 34, kWhite);
        y += 46.0f;
    }
    c.Text("Click here to close", 512, 470, 32, C{180, 190, 215, 255});
}

// A banner, small enough to leave the arena in view.
void EndScreen(Canvas& c, const char* headline, C colour) {
    c.Box(0, 0, c.Width(), c.Height(), colour);
    c.Box(8, 8, c.Width() - 8, c.Height() - 8, C{10, 12, 20, 225});
    c.Text(headline, c.Width() / 2.0f + 4, 98, 124, C{0, 0, 0, 200});
    c.Text(headline, c.Width() / 2.0f, 94, 124, colour);
    c.Text("L: play again        Esc: menu", c.Width() / 2.0f, 200, 50, kWhite);
}
}  // namespace

std::vector<Asset> ScreenArt() {
    std::vector<Asset> buttons;
    for (const ButtonLook& look : kButtons) {
        for (const bool lit : {false, true}) {
            buttons.push_back({std::string(look.name) + (lit ? "_hover.png" : ".png"), 512, 128,
                               [look, lit](Canvas& c) { DrawButton(c, look.label, look.face, lit); }});
        }
    }
    // clang-format off
    std::vector<Asset> screens = {
        {"grass.png", 1024, 1024, [](Canvas& c) { Grass(c, 0.0f); }},
        {"grass_edge.png", 256, 1024, [](Canvas& c) { Grass(c, kEdge); }},
        {"stone.png", 1024, 1024, [](Canvas& c) { Flagstones(c, 0.0f); }},
        {"stone_edge.png", 256, 1024, [](Canvas& c) { Flagstones(c, kEdge); }},
        {"menuback.png", 1024, 1024, [](Canvas& c) { MenuBackground(c, 0.0f); }},
        {"menuback_edge.png", 256, 1024, [](Canvas& c) { MenuBackground(c, kEdge); }},
        // Laid over the whole screen, so at least one texel per pixel each way.
        {"shade.png", 2048, 1024, [](Canvas& c) { c.Fill(C{0, 0, 0, 100}); }},
        {"pointer.png", 64, 64, Pointer},
        {"title.png", 1024, 256, Title},
        {"help.png", 1024, 512, Help},
        {"gameover.png", 1024, 256, [](Canvas& c) { EndScreen(c, "GAME OVER", C{235, 65, 55, 255}); }},
        {"youwin.png", 1024, 256, [](Canvas& c) { EndScreen(c, "YOU WIN!", C{95, 225, 115, 255}); }},
    };
    // clang-format on
    screens.insert(screens.end(), buttons.begin(), buttons.end());
    return screens;
}
