#include <gtest/gtest.h>

#include "harness/TempData.h"
#include "tools/check/SourceText.h"

TEST(SourceTextTest, OffsetsBecomeLinesAndColumns) {
    TempData data;
    data.Write("a.txt", "ab\r\n\tcd\n\nefg");
    const std::string path = data.Root() + "a.txt";
    SourceText text;
    auto at = [&](std::int64_t offset) {
        const SourceText::Location location = text.Locate(path, offset);
        return std::to_string(location.line) + ":" + std::to_string(location.column);
    };
    EXPECT_EQ(at(0), "1:1");
    EXPECT_EQ(at(1), "1:2");
    EXPECT_EQ(at(5), "2:2");  // after the tab
    EXPECT_EQ(at(9), "4:1");
    EXPECT_EQ(at(11), "4:3");
    EXPECT_EQ(at(-1), "1:1");
    EXPECT_EQ(at(1000), "4:4");  // clamped to the end of the file
    EXPECT_EQ(text.TokenAt(path, 5), "cd");
    EXPECT_EQ(text.TokenAt(path, 9), "efg");
    EXPECT_EQ(text.TokenAt(path, 2), "");
    EXPECT_EQ(text.TokenAt(path, 1000), "");
    EXPECT_EQ(text.TokenAt(data.Root() + "missing", 0), "");
}
