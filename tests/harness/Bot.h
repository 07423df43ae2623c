#pragma once

#include <cstdint>
#include <deque>
#include <random>
#include <vector>

#include "core/Vec2.h"
#include "harness/HeadlessGame.h"

// A scripted player: 30 times a second of game time it reads where things are,
// steers with held keys and aims and throws with the mouse, as a person
// would; in between, the keys stay held.
class Bot {
public:
    // How the bot plays. The scripted bot of the tests sees at once and
    // aims perfectly; a novice is slower and rougher, as a person new to
    // the game.
    struct Profile {
        // It acts on the world as it was this long ago (game time).
        std::uint32_t reactionMs = 0;
        // Each throw goes off by up to this many degrees either way.
        float aimErrorDegrees = 0.0f;
        // Aims ahead of a moving target.
        bool leads = true;
        // Seeds its own random numbers; the game's are never touched.
        unsigned seed = 1;
    };
    static Profile Scripted() { return {}; }
    // Reacts after a quarter second, misses by up to 4 degrees, aims where
    // a target is rather than where it will be.
    static Profile Novice(unsigned seed) { return {250, 4.0f, false, seed}; }

    explicit Bot(HeadlessGame& game, Profile profile = Scripted())
        : game_(game), profile_(profile), random_(profile.seed) {}

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
    // What the bot sees of a creature, target or glob of spit.
    struct Seen {
        Vec2 at;
        Vec2 velocity;
        bool moves;
    };
    struct View {
        std::uint32_t ms;
        std::vector<Seen> opponents;
        std::vector<Seen> spit;
    };

    // Holds the keys of the one of the eight directions nearest to `to`;
    // `careful` skips directions that lead into lava, holes or walls.
    void Steer(Vec2 from, Vec2 to, float tolerance, bool careful = true);
    // Looks now, and returns what it has taken in by now: the view of
    // `reactionMs` ago (the first one until that much time has passed).
    const View& Look(std::uint32_t now);
    // A random angle within the aiming error, in radians.
    float AimError();

    HeadlessGame& game_;
    Profile profile_;
    std::minstd_rand random_;
    std::deque<View> views_;
    std::size_t waypoint_ = 0;
    std::size_t post_ = 0;
    std::size_t lastCount_ = 0;
    // Clock time of the last hit or change of post, and of the next look.
    std::uint32_t lastHitMs_ = 0;
    std::uint32_t nextThinkMs_ = 0;
    bool thinking_ = false;
};
