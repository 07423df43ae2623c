#pragma once

#include <cstdint>
#include <vector>

// The pixels of a window's client area as the X server shows them,
// 0xRRGGBB per pixel, rows top to bottom.
class Screenshot {
public:
    Screenshot() = default;
    Screenshot(int width, int height) : width_(width), height_(height), pixels_(std::size_t(width) * height) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return pixels_.empty(); }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    std::uint32_t At(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, std::uint32_t rgb) { pixels_[Index(x, y)] = rgb; }

private:
    std::size_t Index(int x, int y) const { return std::size_t(y) * std::size_t(width_) + std::size_t(x); }

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};
