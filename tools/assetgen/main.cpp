// Draws every image of the shipped game and writes them as PNG files, or
// the game's icons (PNG at every desktop size and the Windows icon file):
//   velmor-assetgen <output directory>            (normally Data/Images)
//   velmor-assetgen --icons <output directory>    (normally dist/icons)
// The output is deterministic, so the committed images can be remade.
#include <cstdio>
#include <filesystem>
#include <string>

#include "Catalogue.h"
#include "IconArt.h"

int main(int argc, char** argv) {
    const bool icons = argc == 3 && std::string(argv[1]) == "--icons";
    if (argc != 2 && !icons) {
        std::fprintf(stderr, "usage: velmor-assetgen [--icons] <output directory>\n");
        return 2;
    }
    const std::string directory = argv[argc - 1];
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (!std::filesystem::is_directory(directory)) {
        std::fprintf(stderr, "velmor-assetgen: %s is not a directory\n", directory.c_str());
        return 2;
    }
    const auto failed = icons ? WriteIcons(directory) : WriteAssets(directory);
    for (const std::string& name : failed) {
        std::fprintf(stderr, "velmor-assetgen: failed: %s\n", name.c_str());
    }
    if (failed.empty()) {
        std::printf("velmor-assetgen: wrote %zu %s to %s\n", icons ? IconSizes().size() + 1 : AllAssets().size(),
                    icons ? "icon files" : "images", directory.c_str());
    }
    return failed.empty() ? 0 : 1;
}
