// What a death leaves on the field, drawn over the dimmed arena of an end
// screen: the ring where the player died (open, so that what killed it
// shows inside), the splash a glob of spit leaves, the scorch of lava and
// the burst of a creature or crystal shot down.
#include <cmath>

#include "Catalogue.h"

namespace {
using C = Canvas::Colour;

constexpr float kPi = 3.14159265f;
const C kOutline{18, 20, 28, 255};

void PlayerDown(Canvas& c) {
    const float m = c.Width() / 2.0f;
    c.Ring(m, m, 52, 13, kOutline);
    c.Ring(m, m, 52, 8, C{240, 50, 45, 255});
    // Four notches pointing in, as on a map's "here".
    for (int i = 0; i < 4; ++i) {
        const float a = kPi / 4.0f + i * kPi / 2.0f;
        const float x0 = m + 62 * std::cos(a);
        const float y0 = m + 62 * std::sin(a);
        const float x1 = m + 40 * std::cos(a);
        const float y1 = m + 40 * std::sin(a);
        c.Line(x0, y0, x1, y1, 11, kOutline);
        c.Line(x0, y0, x1, y1, 6, C{255, 235, 235, 255});
    }
}

void Splash(Canvas& c) {
    const float m = c.Width() / 2.0f;
    Speckle random(29);
    const C green{150, 215, 35, 255};
    const C light{205, 250, 90, 255};
    for (int i = 0; i < 9; ++i) {
        const float a = random.Next() * 2.0f * kPi;
        const float d = 14.0f + random.Next() * 14.0f;
        const float r = 3.0f + random.Next() * 3.5f;
        c.Disc(m + d * std::cos(a), m + d * std::sin(a), r + 2.0f, kOutline);
        c.Disc(m + d * std::cos(a), m + d * std::sin(a), r, green);
    }
    c.Disc(m, m, 15, kOutline);
    c.Disc(m, m, 12.5f, green);
    c.Disc(m - 3, m - 3, 6, light);
}

void Scorch(Canvas& c) {
    const float m = c.Width() / 2.0f;
    Speckle random(41);
    for (int i = 0; i < 7; ++i) {
        const float a = random.Next() * 2.0f * kPi;
        const float d = random.Next() * 12.0f;
        c.Disc(m + d * std::cos(a), m + d * std::sin(a), 10.0f + random.Next() * 6.0f, C{30, 26, 24, 150});
    }
    c.Disc(m, m, 12, C{15, 12, 10, 220});
    for (int i = 0; i < 6; ++i) {
        const float a = random.Next() * 2.0f * kPi;
        const float d = 8.0f + random.Next() * 18.0f;
        c.Disc(m + d * std::cos(a), m + d * std::sin(a), 2.5f, C{255, 150, 30, 255});
    }
}

void Burst(Canvas& c) {
    const float m = c.Width() / 2.0f;
    const C gold{255, 210, 70, 255};
    for (int i = 0; i < 8; ++i) {
        const float a = i * kPi / 4.0f;
        const float b = a + kPi / 16.0f;
        const float d = a - kPi / 16.0f;
        c.Triangle(m + 30 * std::cos(a), m + 30 * std::sin(a), m + 10 * std::cos(b), m + 10 * std::sin(b),
                   m + 10 * std::cos(d), m + 10 * std::sin(d), gold);
    }
    c.Ring(m, m, 22, 3, C{255, 245, 200, 220});
    c.Disc(m, m, 8, C{255, 255, 235, 255});
}
}  // namespace

std::vector<Asset> MarkArt() {
    return {
        {"down.png", 128, 128, PlayerDown},
        {"splash.png", 64, 64, Splash},
        {"scorch.png", 64, 64, Scorch},
        {"burst.png", 64, 64, Burst},
    };
}
