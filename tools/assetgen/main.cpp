// Draws every image of the shipped game and writes them as PNG files.
//   velmor-assetgen <output directory>     (normally Data/Images)
// The output is deterministic, so the committed images can be remade.
#include <SDL.h>
#include <SDL_ttf.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Canvas.h"

namespace {
using C = Canvas::Colour;

const C kWhite{255, 255, 255, 255};
const C kBlack{0, 0, 0, 255};
const C kOutline{20, 24, 32, 255};

struct Asset {
    const char* name;
    int width;
    int height;
    std::function<void(Canvas&)> draw;
};

// A round creature: body, outline, two eyes looking to the right.
void Creature(Canvas& c, C body, C eyes) {
    const float r = c.Width() / 2.0f;
    c.Disc(r, r, r - 2, kOutline);
    c.Disc(r, r, r - 5, body);
    c.Disc(r - 4, r - 6, r * 0.42f, C{255, 255, 255, 60});
    c.Disc(r + 6, r - 4, 6, kWhite);
    c.Disc(r + 18, r - 4, 6, kWhite);
    c.Disc(r + 8, r - 4, 3, eyes);
    c.Disc(r + 20, r - 4, 3, eyes);
}

void Crosshair(Canvas& c, C left, C right) {
    const float m = c.Width() / 2.0f;
    c.Ring(m, m, 20, 6, kOutline);
    c.Ring(m, m, 20, 3.5f, left);
    c.Line(m, 2, m, 20, 5, kOutline);
    c.Line(m, 44, m, 62, 5, kOutline);
    c.Line(2, m, 20, m, 5, kOutline);
    c.Line(44, m, 62, m, 5, kOutline);
    c.Line(m, 3, m, 19, 2.5f, left);
    c.Line(m, 45, m, 61, 2.5f, right);
    c.Line(3, m, 19, m, 2.5f, left);
    c.Line(45, m, 61, m, 2.5f, right);
    c.Disc(m, m, 3, right);
}

void Button(Canvas& c, const char* label, C face) {
    c.Box(0, 0, c.Width(), c.Height(), C{10, 12, 18, 255});
    c.Box(6, 6, c.Width() - 6, c.Height() - 6, face);
    c.Box(6, 6, c.Width() - 6, c.Height() / 2.0f, C{255, 255, 255, 40});
    c.Text(label, c.Width() / 2.0f, c.Height() / 2.0f, 64, kWhite);
}

void EndScreen(Canvas& c, const char* headline, C colour) {
    c.Box(0, 0, c.Width(), c.Height(), C{8, 10, 16, 230});
    c.Box(0, 0, c.Width(), 10, colour);
    c.Box(0, c.Height() - 10, c.Width(), c.Height(), colour);
    c.Text(headline, c.Width() / 2.0f, 150, 150, colour);
    c.Text("Press L to play again", c.Width() / 2.0f, 320, 56, kWhite);
    c.Text("Press Esc for the menu", c.Width() / 2.0f, 400, 56, kWhite);
}

std::vector<Asset> Assets() {
    return {
        {"player.png", 64, 64, [](Canvas& c) { Creature(c, C{60, 130, 230, 255}, kBlack); }},
        {"wanderer.png", 64, 64, [](Canvas& c) { Creature(c, C{90, 190, 80, 255}, kBlack); }},
        {"chaser.png", 64, 64, [](Canvas& c) { Creature(c, C{220, 50, 50, 255}, C{255, 230, 0, 255}); }},
        {"spitter.png", 64, 64, [](Canvas& c) {
             Creature(c, C{150, 70, 200, 255}, kBlack);
             c.Disc(52, 40, 8, C{190, 240, 60, 255});
         }},
        {"spit.png", 32, 32, [](Canvas& c) {
             c.Disc(16, 16, 14, kOutline);
             c.Disc(16, 16, 11, C{190, 240, 60, 255});
         }},
        {"snowball.png", 32, 32, [](Canvas& c) {
             c.Disc(16, 16, 14, C{120, 150, 190, 255});
             c.Disc(16, 16, 12, C{245, 250, 255, 255});
             c.Disc(12, 12, 4, kWhite);
         }},
        {"fireball.png", 32, 32, [](Canvas& c) {
             c.Disc(16, 16, 15, C{200, 40, 0, 255});
             c.Disc(16, 16, 11, C{255, 140, 0, 255});
             c.Disc(15, 15, 6, C{255, 240, 120, 255});
         }},
        {"hole.png", 64, 64, [](Canvas& c) {
             c.Disc(32, 32, 31, C{120, 30, 0, 255});
             c.Disc(32, 32, 26, C{30, 10, 5, 255});
             c.Disc(32, 32, 18, kBlack);
         }},
        {"wall.png", 64, 64, [](Canvas& c) {
             c.Fill(C{70, 70, 80, 255});
             for (int row = 0; row < 4; ++row) {
                 const float y = row * 16.0f;
                 c.Box(0, y, 64, y + 2, C{40, 40, 48, 255});
                 const float offset = row % 2 == 0 ? 0.0f : 16.0f;
                 for (float x = offset; x < 64; x += 32) {
                     c.Box(x, y, x + 2, y + 16, C{40, 40, 48, 255});
                 }
             }
         }},
        {"water.png", 64, 64, [](Canvas& c) {
             c.Fill(C{30, 90, 200, 190});
             for (int i = 0; i < 4; ++i) {
                 const float y = 10.0f + i * 15.0f;
                 for (int x = 0; x < 64; ++x) {
                     c.Blend(x, static_cast<int>(y + 2.0f * std::sin(x * 0.3f + i)), C{180, 220, 255, 160}, 1.0f);
                 }
             }
         }},
        {"lava.png", 64, 64, [](Canvas& c) {
             c.Fill(C{190, 40, 10, 255});
             c.Disc(16, 20, 8, C{255, 150, 20, 255});
             c.Disc(44, 40, 10, C{255, 120, 10, 255});
             c.Disc(24, 50, 5, C{255, 220, 80, 255});
         }},
        {"target.png", 64, 64, [](Canvas& c) {
             c.Disc(32, 32, 30, kOutline);
             c.Disc(32, 32, 27, C{230, 40, 40, 255});
             c.Disc(32, 32, 19, kWhite);
             c.Disc(32, 32, 11, C{230, 40, 40, 255});
             c.Disc(32, 32, 4, kWhite);
         }},
        {"background.png", 64, 64, [](Canvas& c) {
             c.Fill(C{34, 46, 38, 255});
             c.Box(0, 0, 32, 32, C{38, 52, 42, 255});
             c.Box(32, 32, 64, 64, C{38, 52, 42, 255});
         }},
        {"menuback.png", 64, 64, [](Canvas& c) {
             for (int y = 0; y < 64; ++y) {
                 c.Box(0, y, 64, y + 1, C{static_cast<unsigned char>(16 + y / 4), 22, static_cast<unsigned char>(40 + y), 255});
             }
         }},
        {"title.png", 1024, 256, [](Canvas& c) {
             c.Text("VELMOR", 516, 116, 190, C{0, 0, 0, 160});
             c.Text("VELMOR", 512, 110, 190, C{255, 190, 60, 255});
             c.Text("snow, fire and things that bite", 512, 215, 40, C{220, 220, 240, 255});
         }},
        {"button_level1.png", 512, 128, [](Canvas& c) { Button(c, "Level 1", C{40, 120, 70, 255}); }},
        {"button_level2.png", 512, 128, [](Canvas& c) { Button(c, "Level 2", C{170, 120, 30, 255}); }},
        {"button_level3.png", 512, 128, [](Canvas& c) { Button(c, "Level 3", C{170, 50, 40, 255}); }},
        {"button_help.png", 512, 128, [](Canvas& c) { Button(c, "Controls", C{50, 80, 150, 255}); }},
        {"button_quit.png", 512, 128, [](Canvas& c) { Button(c, "Quit", C{80, 80, 90, 255}); }},
        {"help.png", 1024, 512, [](Canvas& c) {
             c.Box(0, 0, 1024, 512, C{8, 10, 16, 235});
             c.Text("Controls", 512, 60, 72, C{255, 190, 60, 255});
             const char* lines[] = {"Arrow keys or W A S D: move", "Mouse: aim",
                                    "Left button: snowball    Right button: fireball",
                                    "Fireballs leave holes that swallow enemies",
                                    "Remove every enemy and target to win", "Esc: menu    L: restart    P: debug view"};
             for (int i = 0; i < 6; ++i) {
                 c.Text(lines[i], 512, 150 + i * 58.0f, 40, kWhite);
             }
             c.Text("Click anywhere to close", 512, 480, 32, C{180, 180, 200, 255});
         }},
        {"grass.png", 64, 64, [](Canvas& c) {
             c.Fill(C{40, 70, 40, 255});
             for (int i = 0; i < 24; ++i) {
                 const float x = static_cast<float>((i * 37) % 64);
                 const float y = static_cast<float>((i * 23) % 64);
                 c.Line(x, y, x + 2, y - 5, 1.5f, C{70, 110, 60, 255});
             }
         }},
        {"stone.png", 64, 64, [](Canvas& c) {
             c.Fill(C{60, 58, 56, 255});
             c.Box(0, 0, 32, 32, C{66, 64, 62, 255});
             c.Box(32, 32, 64, 64, C{66, 64, 62, 255});
         }},
        {"wallh.png", 512, 16, [](Canvas& c) {
             c.Fill(C{70, 70, 80, 255});
             c.Box(0, 0, 512, 2, C{110, 110, 120, 255});
             for (float x = 0; x < 512; x += 32) {
                 c.Box(x, 0, x + 2, 16, C{40, 40, 48, 255});
             }
         }},
        {"wallv.png", 16, 512, [](Canvas& c) {
             c.Fill(C{70, 70, 80, 255});
             c.Box(0, 0, 2, 512, C{110, 110, 120, 255});
             for (float y = 0; y < 512; y += 32) {
                 c.Box(0, y, 16, y + 2, C{40, 40, 48, 255});
             }
         }},
        {"shade.png", 32, 32, [](Canvas& c) { c.Fill(C{0, 0, 0, 150}); }},
        {"overlay.png", 32, 32, [](Canvas& c) { c.Fill(C{0, 0, 0, 140}); }},
        {"cursor.png", 64, 64, [](Canvas& c) { Crosshair(c, C{170, 170, 170, 255}, C{170, 170, 170, 255}); }},
        {"firecursor.png", 64, 64, [](Canvas& c) { Crosshair(c, C{170, 170, 170, 255}, C{255, 120, 0, 255}); }},
        {"snowcursor.png", 64, 64, [](Canvas& c) { Crosshair(c, C{120, 220, 255, 255}, C{170, 170, 170, 255}); }},
        {"bothcursor.png", 64, 64, [](Canvas& c) { Crosshair(c, C{120, 220, 255, 255}, C{255, 120, 0, 255}); }},
        {"pointer.png", 32, 32, [](Canvas& c) {
             c.Line(16, 16, 30, 30, 5, kOutline);
             c.Disc(16, 16, 5, kOutline);
             c.Line(16, 16, 29, 29, 2.5f, kWhite);
             c.Disc(16, 16, 3, kWhite);
         }},
        {"gameover.png", 1024, 512, [](Canvas& c) { EndScreen(c, "GAME OVER", C{230, 60, 50, 255}); }},
        {"youwin.png", 1024, 512, [](Canvas& c) { EndScreen(c, "YOU WIN!", C{90, 220, 110, 255}); }},
    };
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmor-assetgen <output directory>\n");
        return 2;
    }
    if (SDL_Init(0) != 0 || TTF_Init() != 0) {
        std::fprintf(stderr, "velmor-assetgen: cannot start SDL: %s\n", SDL_GetError());
        return 1;
    }
    int failures = 0;
    for (const Asset& asset : Assets()) {
        Canvas canvas(asset.width, asset.height);
        asset.draw(canvas);
        const std::string path = std::string(argv[1]) + "/" + asset.name;
        if (!canvas.SavePng(path)) {
            std::fprintf(stderr, "velmor-assetgen: cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    TTF_Quit();
    SDL_Quit();
    return failures == 0 ? 0 : 1;
}
