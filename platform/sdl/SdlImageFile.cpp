#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

#include "platform/ImageFile.h"

bool LoadImageFile(const std::string& path, Image& image, std::string* error) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (loaded == nullptr) {
        if (error != nullptr) {
            *error = IMG_GetError();
        }
        return false;
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ABGR8888, 0);
    SDL_FreeSurface(loaded);
    if (converted == nullptr || converted->w <= 0 || converted->h <= 0) {
        if (error != nullptr) {
            *error = converted == nullptr ? SDL_GetError() : "empty image";
        }
        SDL_FreeSurface(converted);
        return false;
    }
    image.width = static_cast<std::uint32_t>(converted->w);
    image.height = static_cast<std::uint32_t>(converted->h);
    image.rgba.resize(static_cast<std::size_t>(image.width) * image.height * 4);
    SDL_LockSurface(converted);
    const auto* pixels = static_cast<const std::uint8_t*>(converted->pixels);
    for (std::uint32_t row = 0; row < image.height; ++row) {
        std::memcpy(&image.rgba[static_cast<std::size_t>(row) * image.width * 4],
                    pixels + static_cast<std::size_t>(row) * static_cast<std::size_t>(converted->pitch),
                    static_cast<std::size_t>(image.width) * 4);
    }
    SDL_UnlockSurface(converted);
    SDL_FreeSurface(converted);
    return true;
}
