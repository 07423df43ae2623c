#include "harness/TempData.h"

#ifdef _WIN32
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <algorithm>
#include <random>
#include <vector>
#else
#include <SDL.h>
#include <SDL_image.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

std::string SourceRoot() { return std::string(VELMOR_SOURCE_DIR) + "/"; }

TempData::TempData(const std::string& parent) {
    const fs::path base = parent.empty() ? fs::temp_directory_path() : fs::path(parent);
#ifdef _WIN32
    // No mkdtemp on Windows: random names until one is new.
    std::random_device random;
    std::string pattern;
    for (int attempt = 0;; ++attempt) {
        if (attempt == 100) {
            throw std::runtime_error("cannot create a temporary directory");
        }
        pattern = (base / ("velmor-test-" + std::to_string(random()))).string();
        std::error_code failed;
        if (fs::create_directory(pattern, failed)) {
            break;
        }
    }
#else
    std::string pattern = (base / "velmor-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary directory");
    }
#endif
    root_ = pattern + "/";
    fs::create_directories(root_ + "Data/Archetypes");
    fs::create_directories(root_ + "Data/Levels");
    fs::create_directories(root_ + "Data/Images");
}

TempData::~TempData() {
    if (!kept_) {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
}

void TempData::Write(const std::string& relativePath, const std::string& content) const {
    const fs::path path = root_ + relativePath;
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << content;
}

void TempData::CopyShippedImage(const std::string& name) const {
    fs::copy_file(SourceRoot() + "Data/Images/" + name, root_ + "Data/Images/" + name,
                  fs::copy_options::overwrite_existing);
}

void TempData::SolidImage(const std::string& name, int width, int height, unsigned rgba) const {
#ifdef _WIN32
    // rgba is 0xRRGGBBAA, as the SDL path's RGBA8888 fill.
    const unsigned char pixel[4] = {static_cast<unsigned char>(rgba >> 24), static_cast<unsigned char>(rgba >> 16),
                                    static_cast<unsigned char>(rgba >> 8), static_cast<unsigned char>(rgba)};
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        std::copy(pixel, pixel + 4, pixels.begin() + static_cast<std::ptrdiff_t>(i));
    }
    const std::string path = root_ + "Data/Images/" + name;
    if (stbi_write_png(path.c_str(), width, height, 4, pixels.data(), width * 4) == 0) {
        throw std::runtime_error("cannot write " + path);
    }
#else
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA8888);
    if (surface == nullptr) {
        throw std::runtime_error(SDL_GetError());
    }
    SDL_FillRect(surface, nullptr, rgba);
    const std::string path = root_ + "Data/Images/" + name;
    const int result = IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    if (result != 0) {
        throw std::runtime_error(IMG_GetError());
    }
#endif
}
