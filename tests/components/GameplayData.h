#pragma once

#include "harness/TempData.h"

// The data set every component test starts from: the player, the aiming
// cursor, both projectiles, the hole and the four cursor images; a test adds
// its own archetypes and the menu level.
inline void GameplayData(const TempData& data) {
    data.Archetype("player.txt", "Position Vec2 position 640 512 Vec2 size 16 16 end "
                                 "Body float mass 1 float drag 0 Shape Circle end Vec2 collisionSize 10 10 end "
                                 "ObjectThrower end IDAnnouncer bool player true end");
    data.Archetype("pointer.txt",
                   "Position Vec2 size 8 8 float depth 1 end Sprite string name cursor.png end MouseTargeting end");
    data.Archetype("snowball.txt",
                   "Position Vec2 size 5 5 end Body float mass 1 float drag 0 Shape Circle end end Snowball end");
    data.Archetype("fireball.txt",
                   "Position Vec2 size 5 5 end Body float mass 1 float drag 0 Shape Circle end end Fireball end");
    data.Archetype("hole.txt", "Position Vec2 size 20 20 end Hole float duration 5 end");
    data.SolidImage("cursor.png", 2, 2, 0xFFFFFFFFU);
    data.SolidImage("firecursor.png", 2, 2, 0xFF0000FFU);
    data.SolidImage("snowcursor.png", 2, 2, 0x0000FFFFU);
    data.SolidImage("bothcursor.png", 2, 2, 0xFF00FFFFU);
}
