#include <gtest/gtest.h>

#include <string>

#include "harness/CommandRun.h"
#include "harness/TempData.h"

namespace {
// velmor-layout's standard output for the data root.
std::string RunLayout(const std::string& root) {
    return RunCommand(std::string("'") + VELMOR_LAYOUT_BINARY + "' '" + root + "' 2>/dev/null").out;
}
}  // namespace

// A script clicks the buttons where this output puts them.
TEST(LayoutCommandTest, PrintsEveryButtonsCommandLevelAndRectangleInReadingOrder) {
    TempData data;
    data.SolidImage("button.png", 8, 8, 0xFFFFFFFFU);
    data.Archetype("button.txt", "Position Vec2 size 100 30 end\nSprite string name button.png end\n"
                                 "Body Shape Rect end end\nend\n");
    data.Level("menu.lvl",
               "button.txt Position Vec2 position 200 300 end\n"
               "  Clickable Message SwitchLevel string level one.lvl end end end\n"
               "button.txt Position Vec2 position 640.5 400 end Clickable Message LoadLevel string level help.lvl "
               "end end end\n"
               "button.txt Position Vec2 position 200 500 end Clickable Message Quit end end end\n"
               // Neither a picture nor a command: no button.
               "button.txt Position Vec2 position 200 600 end end\n");
    EXPECT_EQ(RunLayout(data.Root()), "SwitchLevel one.lvl 100 270 300 330\n"
                                      "LoadLevel help.lvl 540.5 370 740.5 430\n"
                                      "Quit - 100 470 300 530\n");
}
