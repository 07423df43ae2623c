// The image decoder of the Windows builds (the Linux ones use SDL2_image).
// stb_image is compiled into this file only.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_FAILURE_USERMSG
#include <stb_image.h>

#include <cstring>

#include "platform/ImageFile.h"

bool LoadImageFile(const std::string& path, Image& image, std::string* error) {
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 4);
    if (pixels == nullptr) {
        if (error != nullptr) {
            const char* reason = stbi_failure_reason();
            *error = reason != nullptr ? reason : "cannot decode the image";
        }
        return false;
    }
    if (width <= 0 || height <= 0) {
        stbi_image_free(pixels);
        if (error != nullptr) {
            *error = "empty image";
        }
        return false;
    }
    image.width = static_cast<std::uint32_t>(width);
    image.height = static_cast<std::uint32_t>(height);
    image.rgba.assign(pixels, pixels + static_cast<std::size_t>(image.width) * image.height * 4);
    stbi_image_free(pixels);
    return true;
}
