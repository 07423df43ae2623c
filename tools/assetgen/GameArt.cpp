// The in-game art. Creatures share one look (dark outline, shaded body,
// big eyes) and differ in colour and silhouette, so that each kind reads at
// a glance at sprite sizes of 40 to 56 pixels.
#include <cmath>

#include "Catalogue.h"

namespace {
using C = Canvas::Colour;

const C kWhite{255, 255, 255, 255};
const C kBlack{0, 0, 0, 255};
const C kOutline{18, 20, 28, 255};
constexpr float kPi = 3.14159265f;

C Shade(C c, float f) {
    const auto s = [f](std::uint8_t v) {
        const float r = v * f;
        return static_cast<std::uint8_t>(r > 255.0f ? 255.0f : r);
    };
    return C{s(c.r), s(c.g), s(c.b), c.a};
}

// Body with outline, a darker lower half and a highlight.
void Body(Canvas& c, float radius, C body) {
    const float m = c.Width() / 2.0f;
    c.Disc(m, m, radius, kOutline);
    c.Disc(m, m, radius - 3.0f, Shade(body, 0.7f));
    c.Disc(m, m - 3.0f, radius - 6.0f, body);
    c.Disc(m - radius * 0.35f, m - radius * 0.4f, radius * 0.22f, C{255, 255, 255, 110});
}

void Eyes(Canvas& c, float dy, float spread, float size, C pupil) {
    const float m = c.Width() / 2.0f;
    for (float side : {-1.0f, 1.0f}) {
        c.Disc(m + side * spread, m + dy, size, kWhite);
        c.Disc(m + side * spread + 1.0f, m + dy + 1.0f, size * 0.5f, pupil);
    }
}

void Player(Canvas& c) {
    // A white ring sets the player apart from every enemy.
    c.Disc(32, 32, 31, kWhite);
    Body(c, 29, C{50, 120, 235, 255});
    Eyes(c, -4, 9, 6, kBlack);
    c.Line(24, 44, 40, 44, 3, kOutline);
    // Little cap.
    c.Triangle(18, 14, 46, 14, 32, 2, C{250, 210, 40, 255});
}

void Wanderer(Canvas& c) {
    for (int i = 0; i < 3; ++i) {
        const float x = 20.0f + i * 12.0f;
        c.Line(x, 20, x - 4.0f + i * 4.0f, 4, 3, kOutline);
        c.Disc(x - 4.0f + i * 4.0f, 5, 3.5f, C{200, 250, 120, 255});
    }
    Body(c, 27, C{80, 190, 70, 255});
    Eyes(c, -2, 10, 7, C{30, 60, 20, 255});
}

void Chaser(Canvas& c) {
    // Spikes all round: the one that runs at you.
    for (int i = 0; i < 10; ++i) {
        const float a = i * 2.0f * kPi / 10.0f;
        const float b = a + kPi / 10.0f;
        const float d = a - kPi / 10.0f;
        c.Triangle(32 + 31 * std::cos(a), 32 + 31 * std::sin(a), 32 + 22 * std::cos(b), 32 + 22 * std::sin(b),
                   32 + 22 * std::cos(d), 32 + 22 * std::sin(d), kOutline);
    }
    Body(c, 25, C{225, 45, 40, 255});
    Eyes(c, -3, 9, 6, C{255, 220, 0, 255});
    c.Line(16, 17, 28, 23, 3.5f, kOutline);
    c.Line(48, 17, 36, 23, 3.5f, kOutline);
    c.Triangle(24, 40, 40, 40, 32, 47, kOutline);
}

void Spitter(Canvas& c) {
    Body(c, 30, C{150, 70, 205, 255});
    Eyes(c, -10, 10, 6, kBlack);
    c.Disc(32, 40, 11, kOutline);
    c.Disc(32, 41, 8, C{70, 10, 40, 255});
    c.Disc(32, 44, 4, C{190, 240, 60, 255});
}

void Spit(Canvas& c) {
    c.Disc(16, 16, 15, kOutline);
    c.Disc(16, 16, 12, C{160, 220, 40, 255});
    c.Disc(16, 17, 8, C{200, 250, 80, 255});
    c.Disc(12, 11, 3.5f, C{245, 255, 200, 255});
}

void Snowball(Canvas& c) {
    c.Disc(16, 16, 15, C{90, 120, 170, 255});
    c.Disc(16, 16, 13, C{235, 243, 255, 255});
    c.Disc(18, 18, 9, C{205, 222, 245, 255});
    c.Disc(12, 11, 4, kWhite);
}

void Fireball(Canvas& c) {
    c.Disc(16, 16, 15, C{190, 30, 0, 255});
    c.Disc(16, 16, 12, C{250, 110, 0, 255});
    c.Disc(15, 15, 8, C{255, 200, 40, 255});
    c.Disc(14, 14, 4, C{255, 250, 200, 255});
}

void Hole(Canvas& c) {
    // Scorched rim, then a pit that fades to black.
    c.Disc(64, 64, 63, C{90, 30, 10, 255});
    for (int i = 0; i < 16; ++i) {
        const float a = i * 2.0f * kPi / 16.0f;
        c.Disc(64 + 56 * std::cos(a), 64 + 56 * std::sin(a), 7, C{250, 120, 20, 255});
    }
    c.Disc(64, 64, 54, C{40, 14, 8, 255});
    c.Disc(64, 64, 42, C{16, 6, 4, 255});
    c.Disc(64, 64, 28, kBlack);
}

void Stones(Canvas& c, int rows, int columns, std::uint32_t seed) {
    Speckle random(seed);
    c.Fill(C{44, 44, 54, 255});
    const float h = static_cast<float>(c.Height()) / rows;
    const float w = static_cast<float>(c.Width()) / columns;
    for (int row = 0; row < rows; ++row) {
        const float offset = row % 2 == 0 ? 0.0f : w / 2.0f;
        for (int col = -1; col < columns; ++col) {
            const float x = col * w + offset;
            const auto grey = static_cast<std::uint8_t>(96 + random.Next() * 36);
            c.Box(x + 2, row * h + 2, x + w - 2, row * h + h - 2,
                  C{grey, grey, static_cast<std::uint8_t>(grey + 12), 255});
            c.Box(x + 2, row * h + 2, x + w - 2, row * h + 5, C{255, 255, 255, 40});
        }
    }
}

void Water(Canvas& c) {
    c.Fill(C{25, 85, 190, 215});
    Speckle random(7);
    // Waves every 17 pixels down the whole image, whatever its height.
    for (float y = 10.0f; y < c.Height(); y += 17.0f) {
        const float phase = random.Next() * 6.0f;
        for (int x = 0; x < c.Width(); ++x) {
            const float wave = y + 3.0f * std::sin(x * 0.12f + phase);
            c.Box(x, wave, x + 1.0f, wave + 2.5f, C{170, 215, 255, 150});
        }
    }
}

void Lava(Canvas& c) {
    c.Fill(C{170, 30, 5, 255});
    Speckle random(11);
    // As many bubbles per area as on the 128 x 128 pool.
    const int bubbles = 14 * c.Width() * c.Height() / (128 * 128);
    for (int i = 0; i < bubbles; ++i) {
        const float x = random.Next() * c.Width();
        const float y = random.Next() * c.Height();
        const float r = 6.0f + random.Next() * 14.0f;
        c.Disc(x, y, r, C{250, 110, 10, 255});
        c.Disc(x, y, r * 0.5f, C{255, 220, 80, 255});
    }
    // Dark edge, so that the hazard's extent is plain.
    c.Box(0, 0, c.Width(), 4, C{60, 10, 0, 255});
    c.Box(0, c.Height() - 4, c.Width(), c.Height(), C{60, 10, 0, 255});
    c.Box(0, 0, 4, c.Height(), C{60, 10, 0, 255});
    c.Box(c.Width() - 4, 0, c.Width(), c.Height(), C{60, 10, 0, 255});
}

void Crystal(Canvas& c) {
    // A gem: the target to shoot.
    c.Disc(32, 32, 30, C{120, 255, 240, 60});
    c.Triangle(32, 2, 58, 26, 6, 26, kOutline);
    c.Triangle(6, 26, 58, 26, 32, 62, kOutline);
    c.Triangle(32, 7, 53, 27, 11, 27, C{140, 250, 245, 255});
    c.Triangle(11, 27, 53, 27, 32, 56, C{40, 180, 200, 255});
    c.Triangle(32, 7, 32, 56, 11, 27, C{90, 220, 230, 255});
    c.Disc(24, 20, 3, kWhite);
}

// A crosshair whose left half shows the snowball and right half the
// fireball: bright colour and a marker when that projectile is ready.
void Crosshair(Canvas& c, bool snow, bool fire) {
    const C idle{150, 150, 150, 255};
    const C snowColour{110, 210, 255, 255};
    const C fireColour{255, 120, 0, 255};
    const C left = snow ? snowColour : idle;
    const C right = fire ? fireColour : idle;
    const float m = 32.0f;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const float d = std::fabs(std::hypot(x + 0.5f - m, y + 0.5f - m) - 20.0f);
            c.Blend(x, y, kOutline, 3.5f - d);
            c.Blend(x, y, x < 32 ? left : right, 2.0f - d);
        }
    }
    c.Line(m, 4, m, 22, 5, kOutline);
    c.Line(m, 42, m, 60, 5, kOutline);
    c.Line(4, m, 22, m, 5, kOutline);
    c.Line(42, m, 60, m, 5, kOutline);
    c.Line(m, 5, m, 21, 2.5f, left);
    c.Line(m, 43, m, 59, 2.5f, right);
    c.Line(5, m, 21, m, 2.5f, left);
    c.Line(43, m, 59, m, 2.5f, right);
    c.Disc(m, m, 2.5f, kWhite);
    if (snow) {
        c.Disc(9, 9, 7, kOutline);
        c.Disc(9, 9, 5, C{235, 245, 255, 255});
    }
    if (fire) {
        c.Disc(55, 9, 7, kOutline);
        c.Disc(55, 9, 5, fireColour);
        c.Disc(55, 9, 2.5f, C{255, 230, 120, 255});
    }
    if (!snow && !fire) {
        // Nothing ready: a small cross in the middle says "wait".
        c.Line(27, 27, 37, 37, 2.0f, C{220, 60, 60, 255});
        c.Line(37, 27, 27, 37, 2.0f, C{220, 60, 60, 255});
    }
}
}  // namespace

std::vector<Asset> GameArt() {
    // clang-format off
    return {
        {"player.png", 64, 64, Player},
        {"wanderer.png", 64, 64, Wanderer},
        {"chaser.png", 64, 64, Chaser},
        {"spitter.png", 64, 64, Spitter},
        {"spit.png", 32, 32, Spit},
        {"snowball.png", 32, 32, Snowball},
        {"fireball.png", 32, 32, Fireball},
        {"hole.png", 128, 128, Hole},
        {"wall.png", 64, 64, [](Canvas& c) { Stones(c, 4, 2, 3); }},
        // Walls, water and lava at the sizes the levels draw them, one texel
        // per pixel: lengths of 128 to 1024 pixels, 32 thick.
        {"wallh.png", 1024, 32, [](Canvas& c) { Stones(c, 1, 24, 5); }},
        {"wallh256.png", 256, 32, [](Canvas& c) { Stones(c, 1, 6, 13); }},
        {"wallv.png", 32, 1024, [](Canvas& c) { Stones(c, 32, 1, 9); }},
        {"wallv512.png", 32, 512, [](Canvas& c) { Stones(c, 16, 1, 15); }},
        {"wallv256.png", 32, 256, [](Canvas& c) { Stones(c, 8, 1, 17); }},
        {"wallv128.png", 32, 128, [](Canvas& c) { Stones(c, 4, 1, 19); }},
        {"water.png", 128, 128, Water},
        {"pool.png", 256, 128, Water},
        {"river.png", 128, 1024, Water},
        {"lava.png", 128, 128, Lava},
        {"lavah.png", 128, 64, Lava},
        {"target.png", 64, 64, Crystal},
        {"cursor.png", 64, 64, [](Canvas& c) { Crosshair(c, false, false); }},
        {"firecursor.png", 64, 64, [](Canvas& c) { Crosshair(c, false, true); }},
        {"snowcursor.png", 64, 64, [](Canvas& c) { Crosshair(c, true, false); }},
        {"bothcursor.png", 64, 64, [](Canvas& c) { Crosshair(c, true, true); }},
    };
    // clang-format on
}
