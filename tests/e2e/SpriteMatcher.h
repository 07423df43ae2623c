#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Vec2.h"
#include "e2e/Screenshot.h"
#include "platform/ImageFile.h"

// A rectangle of the 1280 x 1024 space, left/top inclusive.
struct VirtualRect {
    float left = 0.0f;
    float top = 0.0f;
    float right = 1280.0f;
    float bottom = 1024.0f;

    static VirtualRect Around(Vec2 centre, Vec2 size) {
        return {centre.x - size.x, centre.y - size.y, centre.x + size.x, centre.y + size.y};
    }
};

// Tells whether a screenshot of the game window shows an image file drawn
// over a rectangle of the 1280 x 1024 space, as a sprite draws it (point
// sampling, stretched onto the window). Only opaque parts of the image are
// compared, since what shows through the rest depends on what lies behind.
class SpriteMatcher {
public:
    explicit SpriteMatcher(const std::string& imagePath);

    bool Loaded() const { return image_.width > 0; }

    // The share of the image's opaque sample points inside `clip` whose
    // screenshot pixel has the image's colour there; nullopt when the
    // rectangle has no opaque sample point inside `clip`.
    std::optional<double> Score(const Screenshot& shot, Vec2 centre, Vec2 size,
                                const VirtualRect& clip = VirtualRect{}) const;

    struct Found {
        Vec2 centre;
        double score = 0.0;
    };
    // The centre within `area` where the sprite of half extents `size`
    // scores best, if that score reaches `atLeast`.
    std::optional<Found> Find(const Screenshot& shot, Vec2 size, const VirtualRect& area, double atLeast) const;

private:
    struct Sample {
        int x = 0;
        int y = 0;
        std::array<std::uint32_t, 9> colours{};
        int count = 0;
    };
    // Sample points (window pixels, every `step`th) of the image drawn with
    // its top-left corner at `left`/`top` of the virtual space.
    std::vector<Sample> Samples(const Screenshot& shot, float left, float top, Vec2 size, const VirtualRect& clip,
                                int step) const;
    static bool Matches(const Sample& sample, std::uint32_t colour);

    Image image_;
};
