#pragma once

#include <string>
#include <vector>

// The level files the menu's buttons open, in the menu file's order
// (duplicates once); empty when the game does not start.
std::vector<std::string> MenuLevels(const std::string& dataRoot);
