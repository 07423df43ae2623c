#pragma once

#include <cstdlib>

// A random fraction in [0, 1] from the standard rand(), seeded once at
// start-up. Some C libraries reach past 32767; only the low 15 bits count,
// which changes nothing where rand() stops at 32767.
inline float RandomFraction() { return static_cast<float>(std::rand() % 32768) / 32767.0f; }
