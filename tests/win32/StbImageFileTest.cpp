#include <gtest/gtest.h>

#include "harness/TempData.h"
#include "platform/ImageFile.h"

namespace {

TEST(StbImageFile, DecodesRgbaRowsTopToBottom) {
    TempData data;
    data.SolidImage("solid.png", 5, 3, 0x11223380U);
    Image image;
    std::string error;
    ASSERT_TRUE(LoadImageFile(data.Root() + "Data/Images/solid.png", image, &error)) << error;
    EXPECT_EQ(image.width, 5U);
    EXPECT_EQ(image.height, 3U);
    ASSERT_EQ(image.rgba.size(), 5U * 3U * 4U);
    for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
        EXPECT_EQ(image.rgba[i], 0x11);
        EXPECT_EQ(image.rgba[i + 1], 0x22);
        EXPECT_EQ(image.rgba[i + 2], 0x33);
        EXPECT_EQ(image.rgba[i + 3], 0x80);
    }
}

TEST(StbImageFile, MissingEmptyAndCorruptFilesFailWithAReason) {
    TempData data;
    data.Write("Data/Images/empty.png", "");
    data.Write("Data/Images/corrupt.png", "\x89PNG\r\n\x1a\nnot really");
    for (const char* name : {"absent.png", "empty.png", "corrupt.png"}) {
        Image image;
        std::string error;
        EXPECT_FALSE(LoadImageFile(data.Root() + "Data/Images/" + name, image, &error)) << name;
        EXPECT_FALSE(error.empty()) << name;
        EXPECT_TRUE(image.rgba.empty()) << name;
    }
    Image image;
    EXPECT_FALSE(LoadImageFile(data.Root() + "Data/Images/absent.png", image));
}

TEST(StbImageFile, NextPowerOfTwo) {
    EXPECT_EQ(NextPowerOfTwo(0), 1U);
    EXPECT_EQ(NextPowerOfTwo(1), 1U);
    EXPECT_EQ(NextPowerOfTwo(3), 4U);
    EXPECT_EQ(NextPowerOfTwo(300), 512U);
    EXPECT_EQ(NextPowerOfTwo(512), 512U);
    EXPECT_EQ(NextPowerOfTwo(0x80000001U), 0x80000000U);
}

}  // namespace
