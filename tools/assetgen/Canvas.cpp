#include "Canvas.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>

namespace {
std::string& FontFile() {
    static std::string path;
    return path;
}

float Clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

// Calls f(x, y) for every pixel of the canvas within [x0, x1) x [y0, y1),
// widened by a pixel for the anti-aliased rim.
template <typename F>
void ForArea(int width, int height, float x0, float y0, float x1, float y1, F f) {
    const int left = std::max(0, static_cast<int>(std::floor(x0)) - 1);
    const int top = std::max(0, static_cast<int>(std::floor(y0)) - 1);
    const int right = std::min(width, static_cast<int>(std::ceil(x1)) + 1);
    const int bottom = std::min(height, static_cast<int>(std::ceil(y1)) + 1);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            f(x, y);
        }
    }
}
}  // namespace

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), rgba_(static_cast<size_t>(width) * height * 4) {}

void Canvas::SetFontFile(const std::string& path) { FontFile() = path; }

Canvas::Colour Canvas::At(int x, int y) const {
    const std::uint8_t* p = &rgba_[(static_cast<size_t>(y) * width_ + x) * 4];
    return Colour{p[0], p[1], p[2], p[3]};
}

void Canvas::Fill(Colour c) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            std::uint8_t* p = &rgba_[(static_cast<size_t>(y) * width_ + x) * 4];
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
            p[3] = c.a;
        }
    }
}

void Canvas::Blend(int x, int y, Colour c, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || coverage <= 0.0f) {
        return;
    }
    std::uint8_t* p = &rgba_[(static_cast<size_t>(y) * width_ + x) * 4];
    const float sa = (c.a / 255.0f) * Clamp01(coverage);
    const float da = p[3] / 255.0f;
    const float oa = sa + da * (1.0f - sa);
    if (oa <= 0.0f) {
        return;
    }
    const auto mix = [&](std::uint8_t s, std::uint8_t d) {
        return static_cast<std::uint8_t>(std::lround((s * sa + d * da * (1.0f - sa)) / oa));
    };
    p[0] = mix(c.r, p[0]);
    p[1] = mix(c.g, p[1]);
    p[2] = mix(c.b, p[2]);
    p[3] = static_cast<std::uint8_t>(std::lround(oa * 255.0f));
}

void Canvas::Disc(float cx, float cy, float radius, Colour c) {
    ForArea(width_, height_, cx - radius, cy - radius, cx + radius, cy + radius, [&](int x, int y) {
        const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
        Blend(x, y, c, radius - d + 0.5f);
    });
}

void Canvas::Ring(float cx, float cy, float radius, float thickness, Colour c) {
    const float outer = radius + thickness;
    ForArea(width_, height_, cx - outer, cy - outer, cx + outer, cy + outer, [&](int x, int y) {
        const float d = std::fabs(std::hypot(x + 0.5f - cx, y + 0.5f - cy) - radius);
        Blend(x, y, c, thickness * 0.5f - d + 0.5f);
    });
}

void Canvas::Box(float x0, float y0, float x1, float y1, Colour c) {
    for (int y = static_cast<int>(std::floor(y0)); y < static_cast<int>(std::ceil(y1)); ++y) {
        for (int x = static_cast<int>(std::floor(x0)); x < static_cast<int>(std::ceil(x1)); ++x) {
            const float cover = Clamp01(std::min(x + 1.0f, x1) - std::max(static_cast<float>(x), x0)) *
                                Clamp01(std::min(y + 1.0f, y1) - std::max(static_cast<float>(y), y0));
            Blend(x, y, c, cover);
        }
    }
}

void Canvas::Line(float x0, float y0, float x1, float y1, float thickness, Colour c) {
    const float dx = x1 - x0;
    const float dy = y1 - y0;
    const float length2 = dx * dx + dy * dy;
    const float reach = thickness;
    ForArea(width_, height_, std::min(x0, x1) - reach, std::min(y0, y1) - reach, std::max(x0, x1) + reach,
            std::max(y0, y1) + reach, [&](int x, int y) {
                const float px = x + 0.5f - x0;
                const float py = y + 0.5f - y0;
                const float t = length2 > 0.0f ? Clamp01((px * dx + py * dy) / length2) : 0.0f;
                const float d = std::hypot(px - t * dx, py - t * dy);
                Blend(x, y, c, thickness * 0.5f - d + 0.5f);
            });
}

bool Canvas::Text(const std::string& text, float cx, float cy, int height, Colour c) {
    TTF_Font* font = FontFile().empty() ? nullptr : TTF_OpenFont(FontFile().c_str(), height);
    if (font == nullptr) {
        return false;
    }
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color{255, 255, 255, 255});
    TTF_CloseFont(font);
    if (rendered == nullptr) {
        return false;
    }
    SDL_Surface* surface = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ABGR8888, 0);
    SDL_FreeSurface(rendered);
    if (surface == nullptr) {
        return false;
    }
    const int left = static_cast<int>(std::lround(cx - surface->w / 2.0f));
    const int top = static_cast<int>(std::lround(cy - surface->h / 2.0f));
    SDL_LockSurface(surface);
    for (int y = 0; y < surface->h; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < surface->w; ++x) {
            Blend(left + x, top + y, c, row[x * 4 + 3] / 255.0f);
        }
    }
    SDL_UnlockSurface(surface);
    SDL_FreeSurface(surface);
    return true;
}

void Canvas::Triangle(float x0, float y0, float x1, float y1, float x2, float y2, Colour c) {
    // Coverage from the signed distance to the nearest edge, so edges blend.
    const float area = (x1 - x0) * (y2 - y0) - (x2 - x0) * (y1 - y0);
    if (area == 0.0f) {
        return;
    }
    const float sign = area > 0.0f ? 1.0f : -1.0f;
    const auto edge = [sign](float ax, float ay, float bx, float by, float px, float py) {
        const float ex = bx - ax;
        const float ey = by - ay;
        const float length = std::hypot(ex, ey);
        return sign * (ex * (py - ay) - ey * (px - ax)) / length;
    };
    ForArea(width_, height_, std::min({x0, x1, x2}), std::min({y0, y1, y2}), std::max({x0, x1, x2}),
            std::max({y0, y1, y2}), [&](int x, int y) {
                const float px = x + 0.5f;
                const float py = y + 0.5f;
                const float d = std::min(
                    {edge(x0, y0, x1, y1, px, py), edge(x1, y1, x2, y2, px, py), edge(x2, y2, x0, y0, px, py)});
                Blend(x, y, c, d + 0.5f);
            });
}

float Speckle::Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<float>(state_ >> 8) / 16777216.0f;
}

bool Canvas::SavePng(const std::string& path) const {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint8_t*>(rgba_.data()), width_, height_,
                                                              32, width_ * 4, SDL_PIXELFORMAT_ABGR8888);
    if (surface == nullptr) {
        return false;
    }
    const bool saved = IMG_SavePNG(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    return saved;
}
