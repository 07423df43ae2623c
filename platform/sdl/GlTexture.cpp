#include "platform/sdl/GlTexture.h"

#include <algorithm>
#include <cstring>

#include "platform/sdl/GlDevice.h"

GlTexture::~GlTexture() {
    if (device_ && *device_ != nullptr) {
        (*device_)->ForgetTexture(this);
    }
    glDeleteTextures(1, &name_);
}

std::vector<std::uint8_t> PlaceInTexture(const Image& image, std::uint32_t width, std::uint32_t height,
                                         D3DCOLOR colorKey) {
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(width) * height * 4, 0);
    const std::uint32_t columns = std::min(width, image.width);
    const std::uint32_t rows = std::min(height, image.height);
    for (std::uint32_t row = 0; row < rows; ++row) {
        std::memcpy(&texels[static_cast<std::size_t>(row) * width * 4],
                    &image.rgba[static_cast<std::size_t>(row) * image.width * 4],
                    static_cast<std::size_t>(columns) * 4);
    }
    if (colorKey != 0) {
        const std::uint8_t key[4] = {static_cast<std::uint8_t>(colorKey >> 16),
                                     static_cast<std::uint8_t>(colorKey >> 8), static_cast<std::uint8_t>(colorKey),
                                     static_cast<std::uint8_t>(colorKey >> 24)};
        for (std::size_t i = 0; i < texels.size(); i += 4) {
            if (std::memcmp(&texels[i], key, 4) == 0) {
                std::memset(&texels[i], 0, 4);
            }
        }
    }
    return texels;
}
