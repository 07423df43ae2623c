#pragma once

#include <vector>

#include "core/Vec2.h"
#include "support/HeadlessGame.h"

// A scripted player: every frame it reads where things are, steers with
// held keys and aims and throws with the mouse, as a person would.
class Bot {
public:
    explicit Bot(HeadlessGame& game) : game_(game) {}

    // Shoots the nearest opponent (aiming ahead of it) with snowballs while
    // keeping away from roaming opponents and walking back to `home`.
    void Fight(Vec2 home);
    // Walks through `waypoints` in order and stays on the last one.
    void Walk(const std::vector<Vec2>& waypoints);
    // Lets go of every key.
    void Release();

private:
    void Steer(Vec2 from, Vec2 to, float tolerance);

    HeadlessGame& game_;
    std::size_t waypoint_ = 0;
};
