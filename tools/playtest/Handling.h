#pragma once

#include <string>

// How the player of a level handles at a frame rate: the speed it reaches
// with one direction key held, and how far it slides once the key is let
// go at that speed.
struct Handling {
    bool measured = false;
    float topSpeed = 0.0f;
    float coast = 0.0f;
};

// Plays `level` with every collision switched off, so that walls, water and
// creatures do not get in the way, holds the right arrow for a few seconds,
// then lets go.
Handling MeasureHandling(const std::string& dataRoot, const std::string& level, unsigned hz);
