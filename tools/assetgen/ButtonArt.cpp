#include "ButtonArt.h"

namespace {
using C = Canvas::Colour;

std::uint8_t Lighter(std::uint8_t v) { return static_cast<std::uint8_t>(v + (255 - v) * 0.3f); }
}  // namespace

void DrawButton(Canvas& c, const char* label, C face, bool lit) {
    const C outline{18, 20, 28, 255};
    const C gold{255, 195, 60, 255};
    const C white{255, 255, 255, 255};
    c.Box(0, 0, c.Width(), c.Height(), lit ? gold : outline);
    const float frame = lit ? 10.0f : 6.0f;
    const C shown = lit ? C{Lighter(face.r), Lighter(face.g), Lighter(face.b), 255} : face;
    c.Box(frame, frame, c.Width() - frame, c.Height() - frame, shown);
    c.Box(frame, frame, c.Width() - frame, c.Height() / 2.0f, C{255, 255, 255, 45});
    c.Text(label, c.Width() / 2.0f + 3, c.Height() / 2.0f + 3, 64, C{0, 0, 0, 150});
    c.Text(label, c.Width() / 2.0f, c.Height() / 2.0f, 64, white);
}
