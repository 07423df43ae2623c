#pragma once

#include <cstdint>
#include <vector>

#include "core/Vec2.h"
#include "platform/headless/play/HeadlessGame.h"

// A scripted player: every 33 ms of game time it reads where things are,
// steers with held keys and aims and throws with the mouse, as a person
// would; in between, the keys stay held.
class Bot {
public:
    explicit Bot(HeadlessGame& game) : game_(game) {}

    // Shoots the nearest opponent in a clear line of fire, else the nearest
    // (aiming ahead of it) with snowballs while
    // keeping away from roaming opponents and walking back to its post. When
    // 5 seconds pass without a hit at the post (15 on the way to it) it
    // moves on to the next of `posts` (round and round), as a player would
    // look for a clear line of fire.
    void Fight(const std::vector<Vec2>& posts);
    // Posts for a level the bot has no knowledge of: the player's start,
    // then a clear firing point near each target that does not move (nearest
    // to the start first); without such targets, up to three clear points of
    // a ring round the start, those nearer the middle of the field first.
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
    // Clock time of the last hit or change of post, and of the last look.
    std::uint32_t lastHitMs_ = 0;
    std::uint32_t lastThinkMs_ = 0;
    bool thinking_ = false;
};
