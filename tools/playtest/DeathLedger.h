#pragma once

#include <cstdint>
#include <map>
#include <set>

class GameObject;

// Why a counted creature or target left the level.
enum class Cause { Player, Hazard, EachOther, Other };

// Finds who killed whom by watching the game from outside: a witness
// component on every counted object reports the deadly thing it touched,
// and the ledger knows which projectiles the player threw and which holes
// were part of the level.
class DeathLedger {
public:
    // Call once the level is loaded: remembers its holes and puts a witness
    // on every counted, killable object.
    void Watch();
    // Call after every frame: learns the throwers of new projectiles and
    // moves the counted objects that are gone into `deaths`.
    void AfterFrame(std::uint32_t now);
    // A witness saw `victim` touch the deadly `killer`.
    void Touched(std::int32_t victim, const GameObject& killer);

    struct Death {
        Cause cause;
        std::uint32_t time;
    };
    std::map<std::int32_t, Death> deaths;

private:
    Cause Classify(const GameObject& killer);
    bool ThrownByPlayer(const GameObject& projectile);

    std::set<std::int32_t> levelHoles_;
    std::set<std::int32_t> seen_;
    std::map<std::int32_t, bool> playerProjectiles_;
    std::map<std::int32_t, Cause> pending_;
    std::set<std::int32_t> counted_;
};
