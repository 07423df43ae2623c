#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "Catalogue.h"
#include "IconArt.h"
#include "harness/TempData.h"
#include "platform/ImageFile.h"

namespace fs = std::filesystem;

namespace {
std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool PowerOfTwo(std::uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }

// Every image a data file names after "string name" or "string hover",
// plus those the code opens itself.
std::set<std::string> ImagesNamedByData() {
    std::set<std::string> names = {"cursor.png",     "firecursor.png", "snowcursor.png",
                                   "bothcursor.png", "gameover.png",   "youwin.png"};
    for (const char* dir : {"Data/Archetypes", "Data/Levels"}) {
        for (const auto& entry : fs::directory_iterator(SourceRoot() + dir)) {
            std::ifstream in(entry.path());
            std::string previous;
            std::string word;
            while (in >> word) {
                if ((previous == "name" || previous == "hover") && word.size() > 4 &&
                    word.substr(word.size() - 4) == ".png") {
                    names.insert(word);
                }
                previous = word;
            }
        }
    }
    return names;
}

class Generated : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        data_ = new TempData();
        fs::create_directories(data_->Root() + "a");
        fs::create_directories(data_->Root() + "b");
        failedA_ = new std::vector<std::string>(WriteAssets(data_->Root() + "a"));
        failedB_ = new std::vector<std::string>(WriteAssets(data_->Root() + "b"));
    }
    static void TearDownTestSuite() {
        delete failedA_;
        delete failedB_;
        delete data_;
    }
    static std::string A(const std::string& name) { return data_->Root() + "a/" + name; }
    static std::string B(const std::string& name) { return data_->Root() + "b/" + name; }

    static TempData* data_;
    static std::vector<std::string>* failedA_;
    static std::vector<std::string>* failedB_;
};
TempData* Generated::data_ = nullptr;
std::vector<std::string>* Generated::failedA_ = nullptr;
std::vector<std::string>* Generated::failedB_ = nullptr;
}  // namespace

TEST_F(Generated, EveryImageIsWrittenWithPowerOfTwoSidesAndTheCatalogueSize) {
    EXPECT_TRUE(failedA_->empty()) << (*failedA_)[0];
    std::set<std::string> seen;
    for (const Asset& asset : AllAssets()) {
        EXPECT_TRUE(seen.insert(asset.name).second) << "listed twice: " << asset.name;
        Image image;
        std::string error;
        ASSERT_TRUE(LoadImageFile(A(asset.name), image, &error)) << asset.name << ": " << error;
        EXPECT_EQ(image.width, static_cast<std::uint32_t>(asset.width)) << asset.name;
        EXPECT_EQ(image.height, static_cast<std::uint32_t>(asset.height)) << asset.name;
        EXPECT_TRUE(PowerOfTwo(image.width) && PowerOfTwo(image.height)) << asset.name;
    }
}

TEST_F(Generated, TwoRunsWriteIdenticalFiles) {
    for (const Asset& asset : AllAssets()) {
        const std::string a = ReadBytes(A(asset.name));
        EXPECT_FALSE(a.empty()) << asset.name;
        EXPECT_EQ(a, ReadBytes(B(asset.name))) << asset.name;
    }
}

TEST_F(Generated, ShippedImagesAreTheGeneratedOnes) {
    // Decoded pixels, not bytes: a forgotten regeneration shows here.
    for (const Asset& asset : AllAssets()) {
        Image shipped;
        Image fresh;
        ASSERT_TRUE(LoadImageFile(SourceRoot() + "Data/Images/" + asset.name, shipped)) << asset.name;
        ASSERT_TRUE(LoadImageFile(A(asset.name), fresh)) << asset.name;
        EXPECT_TRUE(shipped.width == fresh.width && shipped.height == fresh.height && shipped.rgba == fresh.rgba)
            << "Data/Images/" << asset.name << " is stale: run velmor-assetgen Data/Images";
    }
}

TEST_F(Generated, EveryImageTheDataNamesIsGeneratedAndNothingElseIsShipped) {
    std::set<std::string> catalogue;
    for (const Asset& asset : AllAssets()) {
        catalogue.insert(asset.name);
    }
    for (const std::string& name : ImagesNamedByData()) {
        EXPECT_EQ(catalogue.count(name), 1u) << name << " is named by the data but not drawn";
    }
    for (const auto& entry : fs::directory_iterator(SourceRoot() + "Data/Images")) {
        EXPECT_EQ(catalogue.count(entry.path().filename().string()), 1u)
            << entry.path() << " is shipped but not drawn by the generator";
    }
}

TEST_F(Generated, RoundSpritesHaveTransparentCornersAndOpaqueCentres) {
    for (const char* name : {"player.png", "wanderer.png", "chaser.png", "spitter.png", "spit.png", "snowball.png",
                             "fireball.png", "hole.png", "target.png", "cursor.png", "bothcursor.png"}) {
        Image image;
        ASSERT_TRUE(LoadImageFile(A(name), image)) << name;
        const auto alpha = [&](std::uint32_t x, std::uint32_t y) { return image.rgba[(y * image.width + x) * 4 + 3]; };
        EXPECT_EQ(alpha(0, 0), 0) << name;
        EXPECT_EQ(alpha(image.width - 1, image.height - 1), 0) << name;
        EXPECT_GT(alpha(image.width / 2 - 1, image.height / 2 - 1), 200) << name;
    }
}

TEST_F(Generated, TheFourCursorsDifferFromEachOther) {
    const char* const names[] = {"cursor.png", "firecursor.png", "snowcursor.png", "bothcursor.png"};
    std::map<std::string, std::vector<std::uint8_t>> pixels;
    for (const char* name : names) {
        Image image;
        ASSERT_TRUE(LoadImageFile(A(name), image)) << name;
        pixels[name] = image.rgba;
    }
    for (const char* a : names) {
        for (const char* b : names) {
            if (std::string(a) < b) {
                std::size_t differing = 0;
                for (std::size_t i = 0; i < pixels[a].size(); i += 4) {
                    differing += pixels[a][i] != pixels[b][i] || pixels[a][i + 2] != pixels[b][i + 2];
                }
                // Clearly different, not a pixel or two.
                EXPECT_GT(differing, 150u) << a << " vs " << b;
            }
        }
    }
}

TEST(Icons, TheCommittedIconsAreTheGeneratedOnesAtEverySize) {
    TempData fresh;
    ASSERT_TRUE(WriteIcons(fresh.Root()).empty());
    const std::string committed = SourceRoot() + "dist/icons/";
    for (int size : IconSizes()) {
        const std::string name = "velmor-" + std::to_string(size) + ".png";
        Image shipped;
        Image drawn;
        ASSERT_TRUE(LoadImageFile(committed + name, shipped)) << name;
        ASSERT_TRUE(LoadImageFile(fresh.Root() + name, drawn)) << name;
        EXPECT_EQ(shipped.width, static_cast<std::uint32_t>(size)) << name;
        EXPECT_TRUE(shipped.width == drawn.width && shipped.height == drawn.height && shipped.rgba == drawn.rgba)
            << "dist/icons/" << name << " is stale: run velmor-assetgen --icons dist/icons";
    }
    // The Windows icon: the small sizes drawn now, the large one the
    // committed PNG; a stale or hand-edited file differs here.
    EXPECT_EQ(ReadBytes(committed + "velmor.ico"), IconFile(ReadBytes(committed + "velmor-256.png")))
        << "dist/icons/velmor.ico is stale: run velmor-assetgen --icons dist/icons";
}

TEST(Canvas, BlendsSourceOverAndClipsAtTheEdges) {
    Canvas canvas(4, 4);
    EXPECT_EQ(canvas.At(1, 1).a, 0);
    canvas.Blend(1, 1, {255, 0, 0, 255}, 1.0f);
    canvas.Blend(1, 1, {0, 0, 255, 255}, 0.5f);
    const auto mixed = canvas.At(1, 1);
    EXPECT_EQ(mixed.a, 255);
    EXPECT_NEAR(mixed.r, 128, 1);
    EXPECT_NEAR(mixed.b, 128, 1);
    // Outside the canvas: ignored, no crash.
    canvas.Blend(-1, 0, {1, 2, 3, 255}, 1.0f);
    canvas.Blend(4, 4, {1, 2, 3, 255}, 1.0f);
    canvas.Box(-10, -10, 20, 20, {9, 9, 9, 255});
    EXPECT_EQ(canvas.At(3, 3).r, 9);
}

TEST(Canvas, TextWithoutAFontReportsFailureAndDrawsNothing) {
    Canvas::SetFontFile("");
    Canvas canvas(32, 32);
    EXPECT_FALSE(canvas.Text("x", 16, 16, 20, {255, 255, 255, 255}));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            ASSERT_EQ(canvas.At(x, y).a, 0);
        }
    }
}
