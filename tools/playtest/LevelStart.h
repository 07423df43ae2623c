#pragma once

#include <cstdint>
#include <string>

class HeadlessGame;

// Opens a level in a started headless game as its menu button would, and
// tells a level that cannot be played from a page that has no player.
struct LevelStart {
    enum class Outcome { Playing, NoPlayer, Failed };

    Outcome outcome = Outcome::Failed;
    // Why it failed, in a few words ("missing archetype wall.txt").
    std::string why;

    // Starts `game`, runs its first frame (frame 0 of the `hz` clock, after
    // which `frame` is 1), switches to `level` and runs the two frames of no
    // time that follow.
    static LevelStart Open(HeadlessGame& game, const std::string& dataRoot, const std::string& level, unsigned hz,
                           std::uint32_t& frame);
};
