#include <gtest/gtest.h>

#include <array>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "objects/BlockReader.h"
#include "objects/DataReader.h"
#include "physics/Body.h"
#include "physics/Position.h"

namespace {

// Reads one component block from `text` and returns the next word after it
// ("" when nothing is left).
template <class T>
std::string Read(T& component, const std::string& text) {
    std::istringstream stream(text);
    DataReader in(stream);
    component.Serialize(in);
    std::string rest;
    in.ReadWord(rest);
    return rest;
}

TEST(BlockRule, KnownEntriesAreReadAndTheBlockEndsAtEnd) {
    Position p;
    EXPECT_EQ(Read(p, "Vec2 position 3 -0.5 float depth 2.5e1 Vec2 size 4 5 float rotation 1 end next"), "next");
    EXPECT_EQ(p.position, Vec2(3.0f, -0.5f));
    EXPECT_FLOAT_EQ(p.depth, 25.0f);
    EXPECT_EQ(p.size, Vec2(4.0f, 5.0f));
    EXPECT_FLOAT_EQ(p.rotation, 1.0f);
}

// Lists the keys k<Listed>, k<Listed + 1>, ... on `keys`, then reads.
template <std::size_t Listed, std::size_t Count>
void ListAndRead(BlockKeys<Listed, 0>&& keys, std::array<std::int32_t, Count>& values, DataReader& in) {
    if constexpr (Listed == Count) {
        std::move(keys).Read(in);
    } else {
        static const std::string key = std::string(1, 'k').append(std::to_string(Listed));
        ListAndRead(std::move(keys).Int(key.c_str(), values[Listed]), values, in);
    }
}

// One key or keyword more than the reader holds does not compile.
template <std::size_t Keys, std::size_t Keywords>
concept TakesMore = requires(BlockKeys<Keys, Keywords> keys, std::int32_t field) {
    std::move(keys).Int("k", field);
    std::move(keys).Keyword("K", [](DataReader&) {});
};
static_assert(TakesMore<BlockReader::kMaxKeys - 1, BlockReader::kMaxKeywords - 1>);
static_assert(!TakesMore<BlockReader::kMaxKeys, 0> && !TakesMore<0, BlockReader::kMaxKeywords>);

TEST(BlockRule, AReaderTakesAsManyKeysAsItHolds) {
    std::array<std::int32_t, BlockReader::kMaxKeys> values{};
    std::istringstream stream("int k0 3 int k" + std::to_string(values.size() - 1) + " 7 end");
    DataReader in(stream);
    ListAndRead(BlockReader("Many"), values, in);
    EXPECT_EQ(values.front(), 3);
    EXPECT_EQ(values.back(), 7);
}

TEST(BlockRule, UnknownEntriesAreSkippedTokenByToken) {
    Position p;
    // "string" is no keyword of Position: it and "name" are skipped, and
    // "float" then starts a real entry. "Vec2 bogus" is an unknown key:
    // only those two words go, so "7" and "8" are then skipped as keywords.
    EXPECT_EQ(Read(p, "string name float depth 9 Vec2 bogus 7 8 Vec2 size 2 3 end after"), "after");
    EXPECT_FLOAT_EQ(p.depth, 9.0f);
    EXPECT_EQ(p.size, Vec2(2.0f, 3.0f));
}

TEST(BlockRule, SkippingStopsAtAKeywordHiddenInAnUnknownEntry) {
    Position p;
    // The value tokens of the unknown entry include "float depth 4", which
    // is read as an entry of its own.
    EXPECT_EQ(Read(p, "int count float depth 4 end x"), "x");
    EXPECT_FLOAT_EQ(p.depth, 4.0f);
}

TEST(BlockRule, UnknownEntryWhoseValueIsEndClosesTheBlock) {
    Position p;
    EXPECT_EQ(Read(p, "string label end Vec2 size 9 9 end"), "Vec2");
    EXPECT_EQ(p.size, Vec2(1.0f, 1.0f));
}

TEST(BlockRule, LaterEntryWins) {
    Body b;
    Read(b, "float mass 1 float mass 2 end");
    EXPECT_FLOAT_EQ(b.mass, 2.0f);
}

TEST(BlockRule, KeysAndKeywordsAreCaseSensitive) {
    Position p;
    Read(p, "Float depth 3 float Depth 4 vec2 size 5 5 end");
    EXPECT_FLOAT_EQ(p.depth, 5.0f);  // the defaults' value, untouched
    EXPECT_EQ(p.size, Vec2(1.0f, 1.0f));
}

TEST(BlockRule, BoolAsDigitFailsAndLeavesTheFieldAndLaterKeysUnread) {
    Body b;
    EXPECT_EQ(Read(b, "bool resolve 0 float mass 3 end after"), "");
    EXPECT_TRUE(b.resolve);
    EXPECT_FLOAT_EQ(b.mass, 0.0f);
    Body c;
    Read(c, "bool resolve false float mass 3 end");
    EXPECT_FALSE(c.resolve);
    EXPECT_FLOAT_EQ(c.mass, 3.0f);
    Body d;
    Read(d, "bool resolve True end");  // only the lower-case words
    EXPECT_TRUE(d.resolve);
}

TEST(BlockRule, UnreadableValueStopsTheWholeStream) {
    Position p;
    // "end" where a float belongs: the read fails; nothing after it counts,
    // not even the block's own end or the words after it.
    EXPECT_EQ(Read(p, "Vec2 size 3 end float depth 8 end next"), "");
    EXPECT_EQ(p.size, Vec2(1.0f, 1.0f));  // a Vec2 is set only as a whole
    EXPECT_FLOAT_EQ(p.depth, 5.0f);
    Body b;
    EXPECT_EQ(Read(b, "int collisionLayers x float mass 2 end"), "");
    EXPECT_EQ(b.collisionLayers, 0);
    EXPECT_FLOAT_EQ(b.mass, 0.0f);
}

TEST(BlockRule, IntegerReadStopsAtTheFirstNonDigit) {
    Body b;
    // "3.5" gives 3, and ".5" is then a token of its own, skipped as a keyword.
    EXPECT_EQ(Read(b, "int collisionLayers 3.5 float mass 2 end z"), "z");
    EXPECT_EQ(b.collisionLayers, 3);
    EXPECT_FLOAT_EQ(b.mass, 2.0f);
}

TEST(BlockRule, CutOffBlockKeepsWhatWasReadAndReturns) {
    Position p;
    EXPECT_EQ(Read(p, "Vec2 position 5 6 float depth"), "");
    EXPECT_EQ(p.position, Vec2(5.0f, 6.0f));
    Position q;
    EXPECT_EQ(Read(q, "Vec2 size 7"), "");
    EXPECT_EQ(q.size, Vec2(1.0f, 1.0f));
    Position r;
    EXPECT_EQ(Read(r, ""), "");
    Position s;
    EXPECT_EQ(Read(s, "Vec2"), "");
}

TEST(BlockRule, EmptyBlockOfAComponentAndOfAShapeKeepDefaults) {
    Body b;
    EXPECT_EQ(Read(b, "end next"), "next");
    EXPECT_FLOAT_EQ(b.mass, 0.0f);
    EXPECT_FLOAT_EQ(b.restitution, 0.9f);
    EXPECT_TRUE(b.resolve);
    Body shaped;
    EXPECT_EQ(Read(shaped, "Shape Circle end float mass 4 end next"), "next");
    ASSERT_NE(shaped.shape, nullptr);
    EXPECT_EQ(shaped.shape->kind, ShapeCircle);
    EXPECT_FLOAT_EQ(shaped.mass, 4.0f);
}

TEST(BlockRule, GarbageAndHugeTokensNeverHang) {
    std::mt19937 random(12345);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(static_cast<std::size_t>(random() % 400), '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random() & 0xFF);
        }
        Body b;
        Read(b, bytes);
        Position p;
        Read(p, "Vec2 size 2 2 " + bytes);
        EXPECT_EQ(p.size, Vec2(2.0f, 2.0f));
    }
    Position p;
    const std::string huge(4 << 20, 'x');
    EXPECT_EQ(Read(p, "float depth 3 " + huge + " end tail"), "tail");
    EXPECT_FLOAT_EQ(p.depth, 3.0f);
    Position q;
    EXPECT_EQ(Read(q, "float depth " + std::string(100000, '9') + " end tail"), "");  // out of range: failed
    EXPECT_FLOAT_EQ(q.depth, 5.0f);
}

}  // namespace
