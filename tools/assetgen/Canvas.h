#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct _TTF_Font;

// An RGBA image drawn with simple anti-aliased shapes, blended with
// "source over". Pixels start fully transparent.
class Canvas {
public:
    struct Colour {
        std::uint8_t r, g, b, a;
    };

    Canvas(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Colour At(int x, int y) const;

    void Fill(Colour colour);
    // Blends `colour` over the pixel with coverage 0..1.
    void Blend(int x, int y, Colour colour, float coverage);
    void Disc(float cx, float cy, float radius, Colour colour);
    void Ring(float cx, float cy, float radius, float thickness, Colour colour);
    void Box(float x0, float y0, float x1, float y1, Colour colour);
    void Line(float x0, float y0, float x1, float y1, float thickness, Colour colour);
    // A filled triangle.
    void Triangle(float x0, float y0, float x1, float y1, float x2, float y2, Colour colour);
    // Text centred on (cx, cy), `height` pixels high. False when the font
    // cannot be opened or the text not rendered.
    bool Text(const std::string& text, float cx, float cy, int height, Colour colour);

    // Sets the font file every later Text call uses.
    static void SetFontFile(const std::string& path);

    bool SavePng(const std::string& path) const;

private:
    int width_;
    int height_;
    std::vector<std::uint8_t> rgba_;
};

// A small deterministic generator for speckles and noise; the art must come
// out the same on every run and machine.
class Speckle {
public:
    explicit Speckle(std::uint32_t seed) : state_(seed) {}
    // 0 <= Next() < 1.
    float Next();

private:
    std::uint32_t state_;
};
