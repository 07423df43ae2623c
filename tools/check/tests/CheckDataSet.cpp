#include "CheckDataSet.h"

const char* CheckDataSet::PlayableLevel() {
    return "player.txt\n"
           "  Position Vec2 position 100 100 end\n"
           "end\n"
           "enemy.txt end\n";
}

CheckDataSet::CheckDataSet() {
    Archetype("text.txt", "Position Vec2 position 640 512 Vec2 size 256 128 end\n"
                          "Sprite string name gameover.png end\n");
    Archetype("snowball.txt", "Position Vec2 size 5 5 end\n"
                              "Body float mass 1 Shape Circle end end\n"
                              "Snowball end\n");
    Archetype("fireball.txt", "Position Vec2 size 5 5 end\n"
                              "Body float mass 1 Shape Circle end end\n"
                              "Fireball end\n");
    Archetype("hole.txt", "Position Vec2 size 20 20 end\n"
                          "Body float mass 0 Shape Circle end end\n"
                          "Hole float duration 2 end\n"
                          "Deadly end\n"
                          "end\n");
    Archetype("button.txt", "Position Vec2 size 100 20 end\n"
                            "Body float mass 0 Shape Rect end int collisionLayers 0 end\n"
                            "Clickable Message Quit end end\n");
    Archetype("player.txt", "Position Vec2 size 16 16 end\n"
                            "Body float mass 1 Shape Circle end end\n"
                            "Controllable end\n"
                            "ObjectThrower float speed 300 string object snowball.txt end\n"
                            "IDAnnouncer bool player true end\n");
    Archetype("enemy.txt", "Position Vec2 size 16 16 end\n"
                           "Body float mass 1 Shape Circle end end\n"
                           "Killable end\n"
                           "IDAnnouncer end\n");
    Level("menu.lvl", "button.txt\n"
                      "  Clickable Message SwitchLevel string level level1.lvl end end\n"
                      "end\n");
    Level("gameend.lvl", "");
    Level(kLevel, PlayableLevel());
    for (const char* image :
         {"cursor.png", "firecursor.png", "snowcursor.png", "bothcursor.png", "gameover.png", "youwin.png"}) {
        SolidImage(image, 4, 4, 0xFF0000FFu);
    }
}
