#include "e2e/SpriteMatcher.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
// Opaque texels reach the window unchanged; a little room for rounding.
constexpr int kTolerance = 16;
constexpr std::uint8_t kOpaque = 250;

float ScaleX(const Screenshot& shot) { return static_cast<float>(shot.Width()) / 1280.0f; }
float ScaleY(const Screenshot& shot) { return static_cast<float>(shot.Height()) / 1024.0f; }

// Larger sprites are compared on every second pixel: enough to tell them,
// and cheap enough to search for them.
int StepFor(const Screenshot& shot, Vec2 size) {
    return size.x * ScaleX(shot) >= 16.0f && size.y * ScaleY(shot) >= 16.0f ? 2 : 1;
}
}  // namespace

SpriteMatcher::SpriteMatcher(const std::string& imagePath) {
    if (!LoadImageFile(imagePath, image_)) {
        image_ = Image{};
    }
}

bool SpriteMatcher::Matches(const Sample& sample, std::uint32_t colour) {
    for (int i = 0; i < sample.count; ++i) {
        if (Screenshot::Distance(sample.colours[static_cast<std::size_t>(i)], colour) <= kTolerance) {
            return true;
        }
    }
    return false;
}

std::vector<SpriteMatcher::Sample> SpriteMatcher::Samples(const Screenshot& shot, float left, float top, Vec2 size,
                                                          const VirtualRect& clip, int step) const {
    std::vector<Sample> samples;
    if (!Loaded() || size.x <= 0.0f || size.y <= 0.0f) {
        return samples;
    }
    const float scaleX = ScaleX(shot);
    const float scaleY = ScaleY(shot);
    const auto width = static_cast<int>(image_.width);
    const auto height = static_cast<int>(image_.height);
    const int firstX = static_cast<int>(std::floor(left * scaleX));
    const int lastX = static_cast<int>(std::ceil((left + 2.0f * size.x) * scaleX));
    const int firstY = static_cast<int>(std::floor(top * scaleY));
    const int lastY = static_cast<int>(std::ceil((top + 2.0f * size.y) * scaleY));
    for (int y = firstY; y < lastY; y += step) {
        // The virtual point at the window pixel's centre, and the texel that
        // point sampling takes there.
        const float vy = (static_cast<float>(y) + 0.5f) / scaleY;
        if (vy < top || vy >= top + 2.0f * size.y || vy < clip.top || vy >= clip.bottom) {
            continue;
        }
        const int ty = static_cast<int>((vy - top) / (2.0f * size.y) * static_cast<float>(height));
        for (int x = firstX; x < lastX; x += step) {
            const float vx = (static_cast<float>(x) + 0.5f) / scaleX;
            if (vx < left || vx >= left + 2.0f * size.x || vx < clip.left || vx >= clip.right) {
                continue;
            }
            const int tx = static_cast<int>((vx - left) / (2.0f * size.x) * static_cast<float>(width));
            // The texel and its neighbours: the window may take either where
            // a pixel centre falls on a texel edge. All must be opaque.
            Sample sample{x, y, {}, 0};
            bool opaque = true;
            for (int dy = -1; dy <= 1 && opaque; ++dy) {
                for (int dx = -1; dx <= 1 && opaque; ++dx) {
                    const int sx = tx + dx;
                    const int sy = ty + dy;
                    if (sx < 0 || sy < 0 || sx >= width || sy >= height) {
                        opaque = false;
                        break;
                    }
                    const std::uint8_t* texel =
                        &image_.rgba[(std::size_t(sy) * std::size_t(width) + std::size_t(sx)) * 4];
                    opaque = texel[3] >= kOpaque;
                    sample.colours[static_cast<std::size_t>(sample.count++)] =
                        (std::uint32_t(texel[0]) << 16) | (std::uint32_t(texel[1]) << 8) | texel[2];
                }
            }
            if (opaque) {
                samples.push_back(sample);
            }
        }
    }
    return samples;
}

std::optional<double> SpriteMatcher::Score(const Screenshot& shot, Vec2 centre, Vec2 size,
                                           const VirtualRect& clip) const {
    const std::vector<Sample> samples =
        Samples(shot, centre.x - size.x, centre.y - size.y, size, clip, StepFor(shot, size));
    int considered = 0;
    int matched = 0;
    for (const Sample& sample : samples) {
        if (!shot.Contains(sample.x, sample.y)) {
            continue;
        }
        ++considered;
        matched += Matches(sample, shot.At(sample.x, sample.y)) ? 1 : 0;
    }
    if (considered == 0) {
        return std::nullopt;
    }
    return static_cast<double>(matched) / considered;
}

std::optional<SpriteMatcher::Found> SpriteMatcher::Find(const Screenshot& shot, Vec2 size, const VirtualRect& area,
                                                        double atLeast) const {
    // The image drawn at the window's top-left corner, then moved by whole
    // window pixels.
    const std::vector<Sample> samples = Samples(shot, 0.0f, 0.0f, size, VirtualRect{}, StepFor(shot, size));
    if (samples.empty()) {
        return std::nullopt;
    }
    int spanX = 0;
    int spanY = 0;
    for (const Sample& sample : samples) {
        spanX = std::max(spanX, sample.x + 1);
        spanY = std::max(spanY, sample.y + 1);
    }
    const float scaleX = ScaleX(shot);
    const float scaleY = ScaleY(shot);
    const int fromX = std::max(0, static_cast<int>(std::floor((area.left - size.x) * scaleX)));
    const int toX = std::min(shot.Width() - spanX, static_cast<int>(std::ceil((area.right - size.x) * scaleX)));
    const int fromY = std::max(0, static_cast<int>(std::floor((area.top - size.y) * scaleY)));
    const int toY = std::min(shot.Height() - spanY, static_cast<int>(std::ceil((area.bottom - size.y) * scaleY)));
    // The share of `set` matching at one offset, or -1 once more than
    // `allowed` have missed.
    const auto shareAt = [&](const std::vector<Sample>& set, int offsetX, int offsetY, double atLeastShare) {
        const auto allowed = static_cast<int>((1.0 - std::max(0.0, atLeastShare)) * static_cast<double>(set.size()));
        int misses = 0;
        for (const Sample& sample : set) {
            if (!Matches(sample, shot.At(sample.x + offsetX, sample.y + offsetY)) && ++misses > allowed) {
                return -1.0;
            }
        }
        return 1.0 - static_cast<double>(misses) / static_cast<double>(set.size());
    };

    // A coarse pass on every second offset with a quarter of the samples,
    // more lenient since it may land a pixel beside the best offset...
    std::vector<Sample> coarse;
    for (std::size_t i = 0; i < samples.size(); i += samples.size() >= 64 ? 4 : 1) {
        coarse.push_back(samples[i]);
    }
    struct Candidate {
        int x;
        int y;
        double share;
    };
    std::vector<Candidate> candidates;
    for (int y = fromY; y <= toY; y += 2) {
        for (int x = fromX; x <= toX; x += 2) {
            const double share = shareAt(coarse, x, y, atLeast - 0.3);
            if (share >= 0.0) {
                candidates.push_back({x, y, share});
            }
        }
    }
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return a.share > b.share; });
    // ... then every offset and every sample around the best few places.
    double bestShare = -1.0;
    int bestX = 0;
    int bestY = 0;
    std::vector<Candidate> refined;
    for (const Candidate& candidate : candidates) {
        if (refined.size() == 3) {
            break;
        }
        const bool seen = std::any_of(refined.begin(), refined.end(), [&](const Candidate& other) {
            return std::abs(other.x - candidate.x) <= 4 && std::abs(other.y - candidate.y) <= 4;
        });
        if (seen) {
            continue;
        }
        refined.push_back(candidate);
        for (int y = std::max(fromY, candidate.y - 2); y <= std::min(toY, candidate.y + 2); ++y) {
            for (int x = std::max(fromX, candidate.x - 2); x <= std::min(toX, candidate.x + 2); ++x) {
                const double share = shareAt(samples, x, y, atLeast);
                if (share > bestShare) {
                    bestShare = share;
                    bestX = x;
                    bestY = y;
                }
            }
        }
    }
    if (bestShare < atLeast) {
        return std::nullopt;
    }
    Found found;
    found.centre = {static_cast<float>(bestX) / scaleX + size.x, static_cast<float>(bestY) / scaleY + size.y};
    found.score = bestShare;
    return found;
}
