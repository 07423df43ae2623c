#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A decoded image: rows top to bottom, each pixel as R, G, B, A bytes.
struct Image {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgba;
};

// Decodes an image file (PNG and the other formats the image library reads).
// False, with a reason, for a missing, empty or corrupt file.
bool LoadImageFile(const std::string& path, Image& image, std::string* error = nullptr);

// The smallest power of two not below `value` (1 for 0; 2^31 at most).
constexpr std::uint32_t NextPowerOfTwo(std::uint32_t value) {
    std::uint32_t result = 1;
    while (result < value && result < 0x80000000U) {
        result <<= 1;
    }
    return result;
}
