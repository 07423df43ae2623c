#pragma once

#include <string>
#include <vector>

#include "core/Vec2.h"
#include "harness/HeadlessGame.h"

class GameObject;

// Looks at the running game the way a player would see it: who is where,
// which buttons lead where, what the end screen says.
namespace scene {

// The announced player, or null.
GameObject* Player();
// Every live announced object that is not the player.
std::vector<GameObject*> Opponents();
// Objects whose Sprite shows `image` (for example "spit.png").
std::vector<GameObject*> Showing(const std::string& image);
// Every live object with a component of that type name.
std::vector<GameObject*> WithComponent(const std::string& componentName);
// Walls, lava and holes: immovable bodies that block or kill the player
// (not water, crystals or spitters).
std::vector<GameObject*> ObstaclesAndHazards();
// Centre of an object's Position; (0, 0) without one.
Vec2 Where(const GameObject* object);
// Velocity of an object's Body; (0, 0) without one.
Vec2 Velocity(const GameObject* object);
// Radius of an object's collision circle (collisionSize x).
float Radius(const GameObject* object);
float Distance(Vec2 a, Vec2 b);
// The menu button whose command leads to `fileName` ("" for Quit), or null.
GameObject* ButtonTo(const std::string& fileName);
// "gameover.png", "youwin.png" or "" while no end screen is shown.
std::string EndScreen();
// How many objects have a component of that type name.
int Count(const std::string& componentName);

// Moves the mouse to `at` and clicks there during the next frame.
void ClickAt(HeadlessGame& game, Vec2 at, bool left = true);
// Moves the mouse to `at`, runs a frame so that the aiming cursor is there,
// then clicks (left: snowball, right: fireball) and runs that frame. A click
// aims where the cursor was last drawn, not where the mouse just went.
bool AimAndThrow(HeadlessGame& game, Vec2 at, bool left);
// Clicks the button leading to `fileName` and runs that frame.
bool ClickButton(HeadlessGame& game, const std::string& fileName);
// Runs frames until `done` holds or `limit` frames have run; true if it held.
template <typename Done>
bool RunUntil(HeadlessGame& game, int limit, Done done, std::uint32_t milliseconds = 10) {
    for (int i = 0; i < limit; ++i) {
        if (!game.Frame(milliseconds)) {
            return done();
        }
        if (done()) {
            return true;
        }
    }
    return false;
}
// Starts the shipped game (fixed seed), clicks the level's menu button and
// runs the two zero-time frames that follow.
bool StartLevel(HeadlessGame& game, const std::string& fileName);

}  // namespace scene
