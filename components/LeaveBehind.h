#pragma once

#include <string>

class GameObject;
class Level;
class Position;

// Builds an object from an archetype and places it in `level`, centred
// where `at` is (where the archetype puts it when `at` is null): a hole
// where a fireball ended, the remains of what was killed. Null when the
// archetype cannot be built.
GameObject* LeaveBehind(const std::string& archetype, const Position* at, Level& level);
