#pragma once

// Archetypes a fuzzed level can name, covering every registered component;
// shared by the fuzz targets that read levels.
inline constexpr const char* kFuzzArchetypes[][2] = {
    {"box.txt", "Position Vec2 position 400 400 Vec2 size 30 30 end Body float mass 1 Shape Rect end end "
                "Sprite string name box.png end end"},
    {"ball.txt", "Position Vec2 position 420 400 Vec2 size 10 10 end Body float mass 2 Vec2 velocity 50 0 "
                 "Shape Circle end end Swimmer end Killable end end"},
    {"player.txt", "Position Vec2 position 640 512 Vec2 size 20 20 end Body float mass 1 Shape Circle end end "
                   "Controllable float speed 100 end ObjectThrower end IDAnnouncer bool player true end end"},
    {"enemy.txt", "Position Vec2 position 200 200 Vec2 size 20 20 end Body float mass 1 Shape Circle end end "
                  "IDAnnouncer end RandomTargetAI end TargetFollowingAI end SpittingAI end end"},
    {"button.txt", "Position Vec2 position 640 512 Vec2 size 100 40 end Body Shape Rect end end "
                   "Clickable Message LoadLevel string level fuzz.lvl end end end"},
    {"cursor.txt", "Position end Sprite string name cursor.png end MouseTargeting end end"},
    {"hazard.txt", "Position Vec2 position 640 512 Vec2 size 50 50 end Body Shape Rect end bool resolve false end "
                   "Deadly end Water end Hole end end"},
    {"snowball.txt", "Position Vec2 size 5 5 end Body float mass 1 Shape Circle end end Snowball end end"},
    {"fireball.txt", "Position Vec2 size 5 5 end Body float mass 1 Shape Circle end end Fireball end end"},
    {"hole.txt", "Position Vec2 size 20 20 end Body Shape Circle end bool resolve false end Hole end end"},
    {"text.txt", "Position Vec2 position 640 512 end Sprite string name text.png end end"},
};
