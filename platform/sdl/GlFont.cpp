#include "platform/sdl/GlFont.h"

#include <fontconfig/fontconfig.h>

#include <cstring>

#include "platform/sdl/GlDevice.h"

bool ResolveFontFile(const std::string& face, std::uint32_t weight, bool italic, FontFile& file) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(face.c_str()));
    if (pattern == nullptr) {
        return false;
    }
    const int openTypeWeight = weight == 0 ? 400 : static_cast<int>(weight > 1000 ? 1000 : weight);
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(openTypeWeight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    bool found = false;
    if (FcConfigSubstitute(nullptr, pattern, FcMatchPattern) != FcFalse) {
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        FcChar8* path = nullptr;
        if (match != nullptr && result == FcResultMatch &&
            FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr) {
            file.path = reinterpret_cast<const char*>(path);
            int index = 0;
            file.index = FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch ? index : 0;
            int matchedWeight = FC_WEIGHT_REGULAR;
            FcPatternGetInteger(match, FC_WEIGHT, 0, &matchedWeight);
            file.bold = matchedWeight >= FC_WEIGHT_BOLD;
            int slant = FC_SLANT_ROMAN;
            FcPatternGetInteger(match, FC_SLANT, 0, &slant);
            file.italic = slant != FC_SLANT_ROMAN;
            found = true;
        }
        if (match != nullptr) {
            FcPatternDestroy(match);
        }
    }
    FcPatternDestroy(pattern);
    return found;
}

GlFont* GlFont::Create(std::shared_ptr<GlDevice*> device, int height, std::uint32_t weight, bool italic,
                       const std::string& face) {
    if (TTF_WasInit() == 0 || face.empty()) {
        return nullptr;
    }
    FontFile file;
    if (!ResolveFontFile(face, weight, italic, file)) {
        return nullptr;
    }
    // At 72 dpi SDL_ttf's point size is the em in pixels: that serves a
    // negative height directly, and a positive one (the cell) after one
    // measurement, trimmed so that the cell never exceeds the request.
    const int wanted = height == 0 ? 16 : (height < 0 ? -height : height);
    TTF_Font* font = TTF_OpenFontIndex(file.path.c_str(), wanted, file.index);
    if (font == nullptr) {
        return nullptr;
    }
    if (height > 0) {
        const int cell = TTF_FontHeight(font);
        if (cell > 0 && cell != wanted) {
            int size = (wanted * wanted + cell / 2) / cell;
            TTF_SetFontSize(font, size > 0 ? size : 1);
            while (size > 1 && TTF_FontHeight(font) > wanted) {
                TTF_SetFontSize(font, --size);
            }
            while (TTF_FontHeight(font) < wanted && size < wanted * 4) {
                TTF_SetFontSize(font, ++size);
                if (TTF_FontHeight(font) > wanted) {
                    TTF_SetFontSize(font, --size);
                    break;
                }
            }
        }
    }
    int style = TTF_STYLE_NORMAL;
    if (weight >= 600 && !file.bold) style |= TTF_STYLE_BOLD;
    if (italic && !file.italic) style |= TTF_STYLE_ITALIC;
    TTF_SetFontStyle(font, style);
    return new GlFont(std::move(device), font);
}

int GlFont::DrawTextA(void* /*sprite*/, const char* text, int count, WinRect* rect, std::uint32_t /*format*/,
                      D3DCOLOR color) {
    if (text == nullptr || rect == nullptr) {
        return 0;
    }
    GlDevice* device = *device_;
    const std::size_t length = count < 0 ? std::strlen(text) : static_cast<std::size_t>(count);
    const std::string all(text, strnlen(text, length));
    const int lineHeight = TTF_FontLineSkip(font_);
    int lines = 0;
    std::size_t start = 0;
    while (start <= all.size()) {
        std::size_t end = all.find('\n', start);
        if (end == std::string::npos) {
            end = all.size();
        }
        std::string line = all.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && device != nullptr) {
            const SDL_Color white{255, 255, 255, 255};
            SDL_Surface* rendered = TTF_RenderUTF8_Blended(font_, line.c_str(), white);
            SDL_Surface* converted =
                rendered != nullptr ? SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ABGR8888, 0) : nullptr;
            if (converted != nullptr && converted->pitch == converted->w * 4) {
                SDL_LockSurface(converted);
                device->DrawScreenImage(static_cast<const std::uint8_t*>(converted->pixels), converted->w, converted->h,
                                        rect->left, rect->top + lines * lineHeight, color);
                SDL_UnlockSurface(converted);
            }
            SDL_FreeSurface(converted);
            SDL_FreeSurface(rendered);
        }
        ++lines;
        start = end + 1;
    }
    return all.empty() ? 0 : lines * lineHeight;
}
