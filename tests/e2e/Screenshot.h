#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The pixels of a window's client area as the X server shows them,
// 0xRRGGBB per pixel, rows top to bottom.
class Screenshot {
public:
    // A channel difference under 3 % of full scale (7.65 of 255) counts as
    // none: what rounding in two different drivers leaves.
    static constexpr int kThreePercent = 7;

    Screenshot() = default;
    Screenshot(int width, int height) : width_(width), height_(height), pixels_(std::size_t(width) * height) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return pixels_.empty(); }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    std::uint32_t At(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, std::uint32_t rgb) { pixels_[Index(x, y)] = rgb; }

    // The largest difference of one channel between two pixels.
    static int Distance(std::uint32_t a, std::uint32_t b);
    // Pixels with a channel more than `most` (of 255) away from `other`'s;
    // with `nearby`, the close pixel of `other` may be one pixel away. All
    // of them when the sizes differ.
    long Differing(const Screenshot& other, int most = 0, bool nearby = false) const;
    // The share of pixels that do not differ so; 0 when the sizes differ.
    double Agreement(const Screenshot& other, int most, bool nearby = false) const;
    // Red where the two differ, elsewhere this picture faded.
    Screenshot Difference(const Screenshot& other, int most) const;
    bool SavePng(const std::string& path) const;

private:
    std::size_t Index(int x, int y) const { return std::size_t(y) * std::size_t(width_) + std::size_t(x); }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};
