#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Canvas.h"

// One image of the game: its file name in Data/Images/, its size (powers of
// two, so that a sprite shows exactly the drawn picture) and how to draw it.
struct Asset {
    std::string name;
    int width;
    int height;
    std::function<void(Canvas&)> draw;
};

// Creatures, projectiles, terrain and the aiming cursors.
std::vector<Asset> GameArt();
// Backgrounds, title, buttons, panels, end screens and the menu pointer.
std::vector<Asset> ScreenArt();
// What a death leaves where it happened.
std::vector<Asset> MarkArt();
// All of them and the window's icon, in a fixed order.
std::vector<Asset> AllAssets();

// Draws every asset and writes it to `directory`/<name>. Returns the names
// that could not be drawn (text without a font) or written; empty on success.
std::vector<std::string> WriteAssets(const std::string& directory);
