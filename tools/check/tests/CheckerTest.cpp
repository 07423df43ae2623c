#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CheckDataSet.h"

using Lines = std::vector<std::string>;

TEST(CheckerTest, TheBaseDataSetIsClean) {
    CheckDataSet data;
    const CheckResult result = data.Check();
    EXPECT_EQ(result.problems, Lines{});
    EXPECT_EQ(result.errors, Lines{});
    EXPECT_EQ(result.exitCode, 0);
}

TEST(CheckerTest, NoDataDirectoryCannotBeChecked) {
    TempData empty;
    std::filesystem::remove_all(empty.Root() + "Data");
    const CheckResult result = CheckData(empty.Root());
    EXPECT_EQ(result.exitCode, 2);
    ASSERT_EQ(result.errors.size(), 1u);
    EXPECT_NE(result.errors[0].find("no Data/ directory"), std::string::npos);
}

// Tokens the component and object readers pass over.
TEST(CheckerTest, UnknownKeysAndSkippedTokensInABlock) {
    CheckDataSet data;
    data.Level(CheckDataSet::kLevel, std::string(CheckDataSet::PlayableLevel()) + "enemy.txt\n"
                                                                                  "  Position Vec2 sise 3 4\n"
                                                                                  "    Vec3 position 1 2 end\n"
                                                                                  "end\n");
    const CheckResult result = data.Check();
    EXPECT_EQ(result.problems, (Lines{
                                   R"(Data/Levels/level1.lvl:6:17: unknown key "sise" after "Vec2" in Position)",
                                   R"(Data/Levels/level1.lvl:6:22: skipped token "3" in Position)",
                                   R"(Data/Levels/level1.lvl:6:24: skipped token "4" in Position)",
                                   R"(Data/Levels/level1.lvl:7:5: skipped token "Vec3" in Position)",
                                   R"(Data/Levels/level1.lvl:7:10: skipped token "position" in Position)",
                                   R"(Data/Levels/level1.lvl:7:19: skipped token "1" in Position)",
                                   R"(Data/Levels/level1.lvl:7:21: skipped token "2" in Position)",
                               }));
    EXPECT_EQ(result.exitCode, 1);
}

TEST(CheckerTest, UnknownComponentInAnArchetypeHidesTheRestOfTheFile) {
    CheckDataSet data;
    data.Archetype("enemy.txt", "Position Vec2 size 16 16 end\n"
                                "Killabel end\n"
                                "IDAnnouncer end\n");
    EXPECT_EQ(data.Problems(),
              (Lines{
                  R"(Data/Archetypes/enemy.txt:2:1: unknown component "Killabel")",
                  "Data/Archetypes/enemy.txt:3:1: \"IDAnnouncer\" and everything after it is never read: the "
                  "archetype ends at the \"end\" before it",
              }));
}

TEST(CheckerTest, UnknownComponentInALevelEntryAndTheWordsOfItsBlock) {
    CheckDataSet data;
    data.Level(CheckDataSet::kLevel,
               std::string(CheckDataSet::PlayableLevel()) + "enemy.txt Positon Vec2 position 3 4 end end\n");
    EXPECT_EQ(data.Problems(),
              (Lines{
                  R"(Data/Levels/level1.lvl:5:11: unknown component "Positon")",
                  R"(Data/Levels/level1.lvl:5:19: skipped token "Vec2" where a component name is expected)",
                  R"(Data/Levels/level1.lvl:5:24: skipped token "position" where a component name is expected)",
                  R"(Data/Levels/level1.lvl:5:33: skipped token "3" where a component name is expected)",
                  R"(Data/Levels/level1.lvl:5:35: skipped token "4" where a component name is expected)",
              }));
}

TEST(CheckerTest, UnknownShapeAndUnknownLevelCommand) {
    CheckDataSet data;
    data.Archetype("button.txt", "Position Vec2 size 100 20 end\n"
                                 "Body Shape Oval int collisionLayers 0 end\n"
                                 "Clickable Message Exit end\n");
    EXPECT_EQ(data.Problems(),
              (Lines{
                  R"(Data/Archetypes/button.txt:2:12: unknown shape "Oval" (the body gets no shape))",
                  R"(Data/Archetypes/button.txt:3:19: unknown level command "Exit" (clicks do nothing))",
              }));
}

// Values that cannot be read put the stream into a failed state.
TEST(CheckerTest, FailedReadsAreReportedAtTheValue) {
    CheckDataSet data;
    data.Archetype("player.txt", "Position Vec2 size 16 16 end\n"
                                 "Body float mass heavy end\n"
                                 "IDAnnouncer bool player true end\n");
    data.Archetype("enemy.txt", "Position Vec2 size 16 16 end\n"
                                "IDAnnouncer bool player 0 end\n");
    const Lines problems = data.Problems();
    EXPECT_EQ(problems,
              (Lines{
                  R"(Data/Archetypes/enemy.txt:2:25: cannot read "0" as bool; the rest of the file is not read)",
                  "Data/Archetypes/player.txt:2:17: cannot read \"heavy\" as float; the rest of the file is "
                  "not read",
                  // The player's announcer is never read.
                  "Data/Levels/level1.lvl:1:1: playable level without a player announcer (an IDAnnouncer "
                  "with player true)",
              }));
}

TEST(CheckerTest, CutOffBlocksAndEntriesAreReportedWhereTheyStart) {
    CheckDataSet data;
    data.Archetype("wall.txt", "Position Vec2 size 16 16 end\n"
                               "Body float mass 0\n");
    data.Level(CheckDataSet::kLevel, std::string(CheckDataSet::PlayableLevel()) + "wall.txt end\n"
                                                                                  "enemy.txt\n"
                                                                                  "  Position Vec2 position 5 5 end\n");
    data.Level("help.lvl", "button.txt Clickable Message LoadLevel string level");
    EXPECT_EQ(
        data.Problems(),
        (Lines{
            R"(Data/Archetypes/wall.txt:2:1: "Body" block is cut off by the end of the file (no "end"))",
            R"(Data/Levels/help.lvl:1:1: object entry "button.txt" is cut off by the end of the file (no "end"))",
            R"(Data/Levels/help.lvl:1:12: "Clickable" block is cut off by the end of the file (no "end"))",
            R"(Data/Levels/help.lvl:1:30: "LoadLevel" command is cut off by the end of the file (no "end"))",
            R"(Data/Levels/help.lvl:1:30: "LoadLevel" names no level file (no "string level <file>"))",
            R"(Data/Levels/level1.lvl:6:1: object entry "enemy.txt" is cut off by the end of the file (no "end"))",
        }));
}

// A file full of noise lists its first findings in order, then how many
// more there are; words from the data are shortened without cutting a
// UTF-8 character in two.
TEST(CheckerTest, ReportsPerFileAreCappedAndLongWordsShortened) {
    CheckDataSet data;
    // 101 skipped tokens, then the cut-off entry and block: reported last
    // but listed first, so they push the last tokens past the cap.
    std::string noise = "button.txt Position\n";
    for (int i = 0; i < 101; ++i) {
        noise += "x\n";
    }
    data.Level("noise.lvl", noise);
    // An archetype read on its own and again for each of two levels counts
    // its findings past the cap once.
    std::string killable = "Position Vec2 size 16 16 end\nIDAnnouncer end\nKillable\n";
    for (int i = 0; i < 102; ++i) {
        killable += "x\n";
    }
    data.Archetype("enemy.txt", killable + "end\n");
    data.Level("level2.lvl", CheckDataSet::PlayableLevel());
    const std::string longWord = std::string(39, 'a') + "\xC3\xA9\xC3\xA9";
    data.Level("long.lvl", longWord + ".txt end\nbutton.txt Position " + longWord + " end end\n");

    const CheckResult capped = data.Check();
    EXPECT_EQ(capped.exitCode, 1);
    EXPECT_EQ(capped.problemCount, 102u + 103u + 2u);
    const std::string shortened = std::string(39, 'a') + "\u2026";
    const Lines expected = {
        "Data/Archetypes/enemy.txt:4:1: skipped token \"x\" in Killable",
        "Data/Archetypes/enemy.txt:103:1: skipped token \"x\" in Killable",
        "Data/Archetypes/enemy.txt: 2 more problems in this file",
        "Data/Levels/long.lvl:1:1: missing archetype file \"Data/Archetypes/" + shortened + "\"",
        "Data/Levels/long.lvl:2:21: skipped token \"" + shortened + "\" in Position",
        "Data/Levels/noise.lvl:1:1: object entry \"button.txt\" is cut off by the end of the file (no \"end\")",
        "Data/Levels/noise.lvl:1:12: \"Position\" block is cut off by the end of the file (no \"end\")",
        "Data/Levels/noise.lvl:2:1: skipped token \"x\" in Position",
        "Data/Levels/noise.lvl:99:1: skipped token \"x\" in Position",
        "Data/Levels/noise.lvl: 3 more problems in this file",
    };
    ASSERT_EQ(capped.problems.size(), 100u + 1u + 2u + 100u + 1u);
    const Lines ends = {capped.problems[0],   capped.problems[99],  capped.problems[100], capped.problems[101],
                        capped.problems[102], capped.problems[103], capped.problems[104], capped.problems[105],
                        capped.problems[202], capped.problems[203]};
    EXPECT_EQ(ends, expected);

    const CheckResult all = CheckData(data.Root(), true);
    EXPECT_EQ(all.problems.size(), all.problemCount);
    EXPECT_EQ(all.problemCount, capped.problemCount);
    EXPECT_EQ(all.problems.back(), "Data/Levels/noise.lvl:102:1: skipped token \"x\" in Position");
}

TEST(CheckerTest, WanderersWhoseTargetsReachIntoAWallOrPastTheArena) {
    CheckDataSet data;
    data.Archetype("wall.txt", "Position Vec2 size 16 16 end\n"
                               "Body Shape Rect end int collisionLayers 1 end\n");
    data.Archetype("roamer.txt", "Position Vec2 size 20 20 end\n"
                                 "Body float mass 1 Shape Circle end int collisionLayers 1 end\n"
                                 "RandomTargetAI Vec2 clampMin 100 100 Vec2 clampMax 1180 924 end\n");
    data.Level(CheckDataSet::kLevel, std::string(CheckDataSet::PlayableLevel()) +
                                         // A pillar in the right half; lava (not solid) in the left.
                                         "wall.txt Position Vec2 position 900 512 Vec2 size 16 100 end end\n"
                                         "wall.txt Position Vec2 position 300 512 end\n"
                                         "  Body bool resolve false end end\n"
                                         // Clear of both: wide enough, left half.
                                         "roamer.txt Position Vec2 position 300 300 end\n"
                                         "  RandomTargetAI Vec2 clampMax 620 924 end end\n"
                                         // The archetype's area holds the pillar.
                                         "roamer.txt Position Vec2 position 300 300 end end\n"
                                         // Too narrow: its targets land past the top and bottom.
                                         "roamer.txt Position Vec2 position 300 300 end\n"
                                         "  RandomTargetAI Vec2 clampMin 100 100 Vec2 clampMax 620 400 end end\n");
    EXPECT_EQ(data.Problems(),
              (Lines{
                  "Data/Archetypes/roamer.txt:3:43: warning: the wanderer's targets span x 100 to 1180, y 100 to 924 "
                  "and reach into the wall of Data/Levels/level1.lvl:5:1 by more than its radius of 20 (the object "
                  "of Data/Levels/level1.lvl:10:1)",
                  "Data/Levels/level1.lvl:12:23: warning: the wanderer's targets span x 100 to 620, y -380 to 680 and "
                  "reach past the top edge of the arena by more than its radius of 20",
              }));
}
