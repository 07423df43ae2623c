#pragma once

#include <cstdlib>
#include <vector>

// The first `count` values rand() gives after srand(seed).
inline std::vector<int> Draws(unsigned seed, int count) {
    std::srand(seed);
    std::vector<int> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(std::rand());
    }
    return values;
}

// The game's random fraction of one draw: the draw taken to 0 ... 32767
// (where rand() reaches further), divided by 32767.
inline float Fraction(int draw) { return static_cast<float>(draw % 32768) / 32767.0f; }
