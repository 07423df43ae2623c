#include "e2e/Screenshot.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdlib>

int Screenshot::Distance(std::uint32_t a, std::uint32_t b) {
    int most = 0;
    for (const int shift : {0, 8, 16}) {
        most =
            std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFFU) - static_cast<int>((b >> shift) & 0xFFU)));
    }
    return most;
}

long Screenshot::Differing(const Screenshot& other, int most, bool nearby) const {
    if (other.width_ != width_ || other.height_ != height_) {
        return static_cast<long>(pixels_.size());
    }
    const int reach = nearby ? 1 : 0;
    long count = 0;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            bool close = false;
            for (int dy = -reach; dy <= reach && !close; ++dy) {
                for (int dx = -reach; dx <= reach && !close; ++dx) {
                    const std::uint32_t there =
                        other.At(std::clamp(x + dx, 0, width_ - 1), std::clamp(y + dy, 0, height_ - 1));
                    close = Distance(At(x, y), there) <= most;
                }
            }
            count += close ? 0 : 1;
        }
    }
    return count;
}

double Screenshot::Agreement(const Screenshot& other, int most, bool nearby) const {
    if (Empty() || other.width_ != width_ || other.height_ != height_) {
        return 0.0;
    }
    return 1.0 - static_cast<double>(Differing(other, most, nearby)) / static_cast<double>(pixels_.size());
}

Screenshot Screenshot::Difference(const Screenshot& other, int most) const {
    Screenshot picture = *this;
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        const bool close = i < other.pixels_.size() && Distance(pixels_[i], other.pixels_[i]) <= most;
        picture.pixels_[i] = close ? 0xC0C0C0U + ((pixels_[i] >> 2) & 0x3F3F3FU) : 0xFF0000U;
    }
    return picture;
}

bool Screenshot::SavePng(const std::string& path) const {
    // 0xRRGGBB in 32 bits is SDL's RGB888 layout: saved without a copy.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(pixels_.data()), width_,
                                                              height_, 32, width_ * 4, SDL_PIXELFORMAT_RGB888);
    if (surface == nullptr) {
        return false;
    }
    const bool saved = IMG_SavePNG(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    return saved;
}
