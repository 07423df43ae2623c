#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CheckDataSet.h"

using Lines = std::vector<std::string>;

// Files named by data and by the game's code.
TEST(CheckerFilesTest, MissingFilesNamedByData) {
    CheckDataSet data;
    data.Archetype("spitter.txt", "Position end\n"
                                  "Sprite string name spitter.png end\n"
                                  "ObjectThrower string object spit.txt end\n");
    data.Level(CheckDataSet::kLevel, std::string(CheckDataSet::PlayableLevel()) + "spitter.txt end\n"
                                                                                  "ghost.txt end\n");
    data.Level("menu.lvl", "button.txt Clickable Message SwitchLevel string level level9.lvl end end end\n"
                           "button.txt Clickable Message LoadLevel string lvl help.lvl end end end\n");
    EXPECT_EQ(data.Problems(),
              (Lines{
                  R"(Data/Archetypes/spitter.txt:2:20: missing image file "Data/Images/spitter.png")",
                  R"(Data/Archetypes/spitter.txt:3:29: missing archetype file "Data/Archetypes/spit.txt")",
                  R"(Data/Levels/level1.lvl:6:1: missing archetype file "Data/Archetypes/ghost.txt")",
                  R"(Data/Levels/menu.lvl:1:55: missing level file "Data/Levels/level9.lvl")",
                  R"(Data/Levels/menu.lvl:2:30: "LoadLevel" names no level file (no "string level <file>"))",
                  R"(Data/Levels/menu.lvl:2:47: unknown key "lvl" after "string" in the "LoadLevel" command)",
                  R"(Data/Levels/menu.lvl:2:51: skipped token "help.lvl" in the "LoadLevel" command)",
              }));
}

TEST(CheckerFilesTest, OverridesOfAMissingArchetypeAreTriedAsArchetypeNames) {
    CheckDataSet data;
    data.Level(CheckDataSet::kLevel, std::string(CheckDataSet::PlayableLevel()) + "wal.txt Position end end\n"
                                                                                  "enemy.txt end\n");
    EXPECT_EQ(data.Problems(), (Lines{
                                   R"(Data/Levels/level1.lvl:5:1: missing archetype file "Data/Archetypes/wal.txt")",
                                   R"(Data/Levels/level1.lvl:5:9: missing archetype file "Data/Archetypes/Position")",
                               }));
}

TEST(CheckerFilesTest, FilesTheGameNamesMustExistAndHoldWhatItUses) {
    CheckDataSet data;
    std::filesystem::remove(data.Root() + "Data/Archetypes/hole.txt");
    std::filesystem::remove(data.Root() + "Data/Images/youwin.png");
    std::filesystem::remove(data.Root() + "Data/Levels/gameend.lvl");
    data.Archetype("fireball.txt", "Position Vec2 size 5 5 end\nSnowball end\n");
    EXPECT_EQ(
        data.Problems(),
        (Lines{
            "Data/Archetypes/fireball.txt:1:1: no Body component, which the game relies on in fireball.txt",
            "Data/Archetypes/fireball.txt:1:1: no Fireball component, which the game relies on in fireball.txt",
            R"(Data/Archetypes/hole.txt:1:1: missing archetype file "Data/Archetypes/hole.txt", which the game opens itself)",
            R"(Data/Images/youwin.png:1:1: missing image file "Data/Images/youwin.png", which the game opens itself)",
            R"(Data/Levels/gameend.lvl:1:1: missing level file "Data/Levels/gameend.lvl", which the game opens itself)",
        }));
}

TEST(CheckerFilesTest, AnImageThatCannotBeDecoded) {
    CheckDataSet data;
    data.Write("Data/Images/cursor.png", "not a png");
    data.Archetype("text.txt", "Position end\nSprite string name cursor.png end\n");
    EXPECT_EQ(data.Problems(),
              (Lines{
                  R"(Data/Archetypes/text.txt:2:20: image file "Data/Images/cursor.png" cannot be decoded)",
                  R"(Data/Images/cursor.png:1:1: image file "Data/Images/cursor.png" cannot be decoded)",
              }));
}

// Every file is read once on its own and again for each level that uses it.
TEST(CheckerFilesTest, AProblemInASharedArchetypeIsReportedOnce) {
    CheckDataSet data;
    data.Archetype("enemy.txt", "Position Vec2 size 16 16 end\nKillable float hp 3 end\nIDAnnouncer end\n");
    data.Level("level2.lvl", std::string(CheckDataSet::PlayableLevel()) + "enemy.txt end\n");
    EXPECT_EQ(data.Problems(), (Lines{
                                   R"(Data/Archetypes/enemy.txt:2:10: skipped token "float" in Killable)",
                                   R"(Data/Archetypes/enemy.txt:2:16: skipped token "hp" in Killable)",
                                   R"(Data/Archetypes/enemy.txt:2:19: skipped token "3" in Killable)",
                               }));
}

TEST(CheckerFilesTest, ProblemsAreSortedByFileThenLineAsNumbers) {
    CheckDataSet data;
    std::string level = CheckDataSet::PlayableLevel();
    for (int line = 5; line <= 11; ++line) {
        level += line == 9 || line == 10 ? "nope" + std::to_string(line) + ".txt end\n" : "enemy.txt end\n";
    }
    data.Level("a.lvl", "gone.txt end\n");
    data.Level(CheckDataSet::kLevel, level);
    EXPECT_EQ(data.Problems(),
              (Lines{
                  R"(Data/Levels/a.lvl:1:1: missing archetype file "Data/Archetypes/gone.txt")",
                  R"(Data/Levels/level1.lvl:9:1: missing archetype file "Data/Archetypes/nope9.txt")",
                  R"(Data/Levels/level1.lvl:10:1: missing archetype file "Data/Archetypes/nope10.txt")",
              }));
}

// A playable level is any level other than the menu and the end screen that
// has an object with an IDAnnouncer or a Controllable.
TEST(CheckerFilesTest, PlayableLevelsNeedExactlyOnePlayer) {
    CheckDataSet data;
    data.Level("noplayer.lvl", "enemy.txt end\n");
    data.Level("twoplayers.lvl", "player.txt\n"
                                 "  ObjectThrower string object fireball.txt end\n"
                                 "end\n"
                                 "  player.txt end\n"
                                 "enemy.txt end\n"
                                 "player.txt end\n");
    // Screens and levels without announcers or control are not playable.
    data.Level("gameend.lvl", "player.txt end player.txt end\n");
    data.Level("credits.lvl", "button.txt end\n");
    EXPECT_EQ(data.Problems(),
              (Lines{
                  "Data/Levels/noplayer.lvl:1:1: playable level without a player announcer (an IDAnnouncer with "
                  "player true)",
                  "Data/Levels/twoplayers.lvl:4:3: another player announcer (the first is at 1:1); a playable level "
                  "needs exactly one",
                  "Data/Levels/twoplayers.lvl:6:1: another player announcer (the first is at 1:1); a playable level "
                  "needs exactly one",
              }));
}

TEST(CheckerFilesTest, APlayerCountsOnlyWithPlayerTrue) {
    CheckDataSet data;
    data.Level(CheckDataSet::kLevel, "player.txt IDAnnouncer bool player false end end\nenemy.txt end\n");
    EXPECT_EQ(data.Problems(), (Lines{
                                   "Data/Levels/level1.lvl:1:1: playable level without a player announcer (an "
                                   "IDAnnouncer with player true)",
                               }));
}

// A sprite covers twice its Position's size; per object, after the level's
// overrides, its image must have that aspect ratio within 5 % or be at
// least that large. Reported at the token that named the image.
TEST(CheckerFilesTest, StretchedImagesAreWarnedAboutWhereTheyAreNamed) {
    CheckDataSet data;
    data.SolidImage("square.png", 4, 4, 0xFF0000FFu);
    data.SolidImage("wide.png", 8, 2, 0xFF0000FFu);
    data.SolidImage("large.png", 40, 32, 0xFF0000FFu);
    data.SolidImage("almost.png", 20, 21, 0xFF0000FFu);
    data.Archetype("tile.txt", "Position Vec2 size 16 16 end\n"
                               "Sprite string name square.png end\n");
    data.Level("tiles.lvl", "tile.txt end\n"
                            "tile.txt Position Vec2 size 16 8 end end\n"
                            "tile.txt\n"
                            "  Sprite string name wide.png end\n"
                            "end\n"
                            "tile.txt Sprite string name large.png end end\n"
                            "tile.txt Sprite string name almost.png end end\n"
                            "tile.txt Sprite string name wide.png end Position Vec2 size -32 8 end end\n"
                            "tile.txt ObjectThrower string object dart.txt end end\n");
    // Thrown objects are built from their archetype alone.
    data.Archetype("dart.txt", "Position Vec2 size 4 2 end\n"
                               "Sprite string name square.png end\n");
    EXPECT_EQ(
        data.Problems(),
        (Lines{
            R"(Data/Archetypes/dart.txt:2:20: warning: image "Data/Images/square.png" of 4 x 4 is stretched over 8 x 4)",
            "Data/Archetypes/tile.txt:2:20: warning: image \"Data/Images/square.png\" of 4 x 4 is stretched over 32 x "
            "16 "
            "(the object of Data/Levels/tiles.lvl:2:1)",
            R"(Data/Levels/tiles.lvl:4:22: warning: image "Data/Images/wide.png" of 8 x 2 is stretched over 32 x 32)",
        }));
}
