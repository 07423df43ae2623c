#include "Catalogue.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include "FontFile.h"
#include "IconArt.h"

std::vector<Asset> AllAssets() {
    std::vector<Asset> all = GameArt();
    std::vector<Asset> screens = ScreenArt();
    all.insert(all.end(), screens.begin(), screens.end());
    std::vector<Asset> marks = MarkArt();
    all.insert(all.end(), marks.begin(), marks.end());
    // The window's icon, read by the game from its data.
    all.push_back({"icon.png", 64, 64, DrawIcon});
    return all;
}

std::vector<std::string> WriteAssets(const std::string& directory) {
    std::vector<std::string> failed;
    const bool sdl = SDL_Init(0) == 0;
    const bool ttf = sdl && TTF_Init() == 0;
    const std::string font = BoldSansFontFile();
    Canvas::SetFontFile(ttf ? font : std::string());
    for (const Asset& asset : AllAssets()) {
        Canvas canvas(asset.width, asset.height);
        asset.draw(canvas);
        if (!canvas.SavePng(directory + "/" + asset.name)) {
            failed.push_back(asset.name);
        }
    }
    if (ttf) {
        TTF_Quit();
    }
    if (sdl) {
        SDL_Quit();
    }
    if (font.empty() || !ttf) {
        // Every label would be missing; say so rather than ship blank buttons.
        failed.insert(failed.begin(), "(no Liberation Sans Bold font)");
    }
    return failed;
}
