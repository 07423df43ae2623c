#pragma once

#include <string>

class CheckObserver;
class Level;

// Warns, at its clampMin or clampMax key, about every wandering creature
// (RandomTargetAI) of the level just loaded whose random targets can land
// farther into a wall, or past the edge of the arena, than the creature's
// radius: it would press against the wall, never reaching them. A wall is
// an immovable body that the creature collides with.
void CheckWandering(CheckObserver& observer, const Level& level, const std::string& levelPath);
