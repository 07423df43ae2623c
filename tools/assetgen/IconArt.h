#pragma once

#include <string>
#include <vector>

#include "Canvas.h"

// The game's icon: the player between a snowball and a fireball on a
// night-blue tile, one design drawn at every size (the desktop's icons, the
// window's and the Windows executable's).
void DrawIcon(Canvas& canvas);

// The sizes of the desktop icons (the hicolor theme's, 16 to 256 pixels).
const std::vector<int>& IconSizes();

// The Windows icon file: the sizes up to 64 pixels as uncompressed bitmaps
// (drawn here: the same bytes on every machine) and the 256-pixel one as the
// PNG file `png256` (what Windows expects at that size).
std::string IconFile(const std::string& png256);

// Writes velmor-<size>.png for every icon size and velmor.ico to
// `directory`. Returns the names that could not be written.
std::vector<std::string> WriteIcons(const std::string& directory);
