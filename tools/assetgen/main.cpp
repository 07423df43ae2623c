// Draws every image of the shipped game and writes them as PNG files:
//   velmor-assetgen <output directory>     (normally Data/Images)
// The output is deterministic, so the committed images can be remade.
#include <cstdio>
#include <filesystem>
#include <string>

#include "Catalogue.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmor-assetgen <output directory>\n");
        return 2;
    }
    const std::string directory = argv[1];
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (!std::filesystem::is_directory(directory)) {
        std::fprintf(stderr, "velmor-assetgen: %s is not a directory\n", directory.c_str());
        return 2;
    }
    const auto failed = WriteAssets(directory);
    for (const std::string& name : failed) {
        std::fprintf(stderr, "velmor-assetgen: failed: %s\n", name.c_str());
    }
    if (failed.empty()) {
        std::printf("velmor-assetgen: wrote %zu images to %s\n", AllAssets().size(), directory.c_str());
    }
    return failed.empty() ? 0 : 1;
}
