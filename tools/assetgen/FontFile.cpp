#include "FontFile.h"

#include <fontconfig/fontconfig.h>

#include <filesystem>

namespace {
const char* const kDebianPath = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf";

std::string AskFontconfig() {
    std::string found;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) {
        return found;
    }
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("Liberation Sans:style=Bold"));
    if (pattern != nullptr) {
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config, pattern, &result);
        if (match != nullptr) {
            FcChar8* family = nullptr;
            FcChar8* file = nullptr;
            // fontconfig always answers with something; only a Liberation
            // face keeps the images identical from machine to machine.
            if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
                FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
                std::string(reinterpret_cast<const char*>(family)) == "Liberation Sans") {
                found = reinterpret_cast<const char*>(file);
            }
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
    }
    FcConfigDestroy(config);
    return found;
}
}  // namespace

std::string BoldSansFontFile() {
    std::string path = AskFontconfig();
    if (!path.empty() && std::filesystem::exists(path)) {
        return path;
    }
    return std::filesystem::exists(kDebianPath) ? kDebianPath : std::string();
}
