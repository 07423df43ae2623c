#include "support/TempData.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

std::string SourceRoot() { return std::string(VELMOR_SOURCE_DIR) + "/"; }

TempData::TempData() {
    std::string pattern = (fs::temp_directory_path() / "velmor-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary directory");
    }
    root_ = pattern + "/";
    fs::create_directories(root_ + "Data/Archetypes");
    fs::create_directories(root_ + "Data/Levels");
    fs::create_directories(root_ + "Data/Images");
}

TempData::~TempData() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
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
}
