#pragma once

#include <string>

// Path of Liberation Sans Bold: asked of fontconfig first, then the fixed
// Debian location. Empty when neither has it.
std::string BoldSansFontFile();
