#include "IconArt.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace {
using C = Canvas::Colour;

const C kTile{30, 44, 92, 255};
const C kTileRim{14, 20, 44, 255};
const C kSnowDrift{220, 232, 250, 255};
const C kOutline{18, 20, 28, 255};
const C kWhite{255, 255, 255, 255};

// A square with round corners from (x0, y0) to (x1, y1).
void RoundBox(Canvas& c, float x0, float y0, float x1, float y1, float radius, C colour) {
    c.Box(x0 + radius, y0, x1 - radius, y1, colour);
    c.Box(x0, y0 + radius, x1, y1 - radius, colour);
    for (float x : {x0 + radius, x1 - radius}) {
        for (float y : {y0 + radius, y1 - radius}) {
            c.Disc(x, y, radius, colour);
        }
    }
}

// Little-endian fields of the icon file.
void Put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// A 32-bit bitmap entry: BITMAPINFOHEADER (twice the height: colour rows,
// then the mask), BGRA rows bottom-up, then the 1-bit mask of the fully
// transparent pixels for old renderers.
std::string BitmapEntry(const Canvas& c) {
    const int w = c.Width();
    const int h = c.Height();
    const int maskRow = ((w + 31) / 32) * 4;
    std::string out;
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(w));
    Put32(out, static_cast<std::uint32_t>(h * 2));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(w * h * 4 + maskRow * h));
    for (int i = 0; i < 4; ++i) {
        Put32(out, 0);
    }
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const C p = c.At(x, y);
            out += static_cast<char>(p.b);
            out += static_cast<char>(p.g);
            out += static_cast<char>(p.r);
            out += static_cast<char>(p.a);
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        std::string row(static_cast<std::size_t>(maskRow), '\0');
        for (int x = 0; x < w; ++x) {
            if (c.At(x, y).a == 0) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
            }
        }
        out += row;
    }
    return out;
}

Canvas Drawn(int size) {
    Canvas canvas(size, size);
    DrawIcon(canvas);
    return canvas;
}
}  // namespace

void DrawIcon(Canvas& c) {
    // Designed on 256 units; every shape scales with the canvas.
    const float k = c.Width() / 256.0f;
    const auto s = [k](float v) { return v * k; };
    RoundBox(c, s(6), s(6), s(250), s(250), s(44), kTileRim);
    RoundBox(c, s(14), s(14), s(242), s(242), s(38), kTile);
    // A snow drift along the bottom, inside the tile.
    RoundBox(c, s(14), s(176), s(242), s(242), s(38), kSnowDrift);
    c.Disc(s(66), s(190), s(40), kSnowDrift);
    c.Disc(s(190), s(194), s(40), kSnowDrift);
    // The player: white ring, outlined blue body, big eyes, a yellow cap.
    c.Disc(s(128), s(146), s(82), kWhite);
    c.Disc(s(128), s(146), s(74), kOutline);
    c.Disc(s(128), s(146), s(66), C{35, 84, 165, 255});
    c.Disc(s(128), s(138), s(58), C{50, 120, 235, 255});
    c.Disc(s(104), s(112), s(13), C{255, 255, 255, 110});
    for (float side : {-1.0f, 1.0f}) {
        c.Disc(s(128 + side * 26), s(134), s(16), kWhite);
        c.Disc(s(131 + side * 26), s(137), s(8), kOutline);
    }
    c.Line(s(104), s(176), s(152), s(176), s(8), kOutline);
    c.Triangle(s(82), s(84), s(174), s(84), s(128), s(40), C{250, 210, 40, 255});
    // A snowball at the upper left, a fireball at the upper right.
    c.Disc(s(48), s(56), s(26), kOutline);
    c.Disc(s(48), s(56), s(20), kWhite);
    c.Disc(s(208), s(56), s(28), C{150, 30, 10, 255});
    c.Disc(s(208), s(56), s(22), C{240, 90, 20, 255});
    c.Disc(s(204), s(52), s(11), C{255, 220, 60, 255});
}

const std::vector<int>& IconSizes() {
    static const std::vector<int> sizes = {16, 22, 24, 32, 48, 64, 128, 256};
    return sizes;
}

std::string IconFile(const std::string& png256) {
    std::vector<std::string> images;
    std::vector<int> sizes;
    for (int size : {16, 24, 32, 48, 64}) {
        images.push_back(BitmapEntry(Drawn(size)));
        sizes.push_back(size);
    }
    images.push_back(png256);
    sizes.push_back(256);

    std::string out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        // A size of 256 is written as 0.
        out += static_cast<char>(sizes[i] & 0xFF);
        out += static_cast<char>(sizes[i] & 0xFF);
        out += '\0';
        out += '\0';
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<std::uint32_t>(images[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const std::string& image : images) {
        out += image;
    }
    return out;
}

std::vector<std::string> WriteIcons(const std::string& directory) {
    std::vector<std::string> failed;
    for (int size : IconSizes()) {
        const std::string name = "velmor-" + std::to_string(size) + ".png";
        if (!Drawn(size).SavePng(directory + "/" + name)) {
            failed.push_back(name);
        }
    }
    std::ifstream in(directory + "/velmor-256.png", std::ios::binary);
    const std::string png256{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::ofstream out(directory + "/velmor.ico", std::ios::binary | std::ios::trunc);
    if (png256.empty() || !(out << IconFile(png256)) || !out.flush()) {
        failed.push_back("velmor.ico");
    }
    return failed;
}
