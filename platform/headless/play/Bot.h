#pragma once

#include <vector>

#include "core/Vec2.h"
#include "platform/headless/play/HeadlessGame.h"

// A scripted player: every frame it reads where things are, steers with
// held keys and aims and throws with the mouse, as a person would.
class Bot {
public:
    explicit Bot(HeadlessGame& game) : game_(game) {}

    // Shoots the nearest opponent (aiming ahead of it) with snowballs while
    // keeping away from roaming opponents and walking back to its post. When
    // three seconds pass without a hit it moves on to the next of `posts`
    // (round and round), as a player would look for a clear line of fire.
    void Fight(const std::vector<Vec2>& posts);
    // Posts for a level the bot has no knowledge of: the player's start,
    // then up to three clear points of a ring around it (inside the walls,
    // away from walls, hazards and water), those nearer the middle of the
    // field first, where lines of fire are longest.
    static std::vector<Vec2> PostsAround(Vec2 start);
    // Walks through `waypoints` in order, hazards or not, and stays on the
    // last one.
    void Walk(const std::vector<Vec2>& waypoints);
    // Lets go of every key.
    void Release();

private:
    // Holds the keys of the one of the eight directions nearest to `to`;
    // `careful` skips directions that lead into lava, holes or walls.
    void Steer(Vec2 from, Vec2 to, float tolerance, bool careful = true);

    HeadlessGame& game_;
    std::size_t waypoint_ = 0;
    std::size_t post_ = 0;
    std::size_t lastCount_ = 0;
    int sinceHit_ = 0;
};
