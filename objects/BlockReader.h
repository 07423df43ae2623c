#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "core/Vec2.h"
#include "objects/DataObserver.h"

class BlockReader;
class DataReader;

// One key a block reader knows. Names are views, so that a word is compared
// by length first and only a word of the right length by its bytes.
struct BlockEntry {
    enum class Type { Float, Int, Bool, Vec2, String };
    Type type;
    std::string_view key;
    void* field;
    bool isFile = false;
    FileKind kind = FileKind::Archetype;
};

// The keys and keywords listed on a block reader so far. How many of each
// is part of the type, so that a list longer than the reader holds does not
// compile; the lists themselves stay in the reader, which lives until the
// end of the statement that reads the block. A list is written in one
// chain:
//
//     BlockReader(kTypeName).Float("depth", depth).Vec2("size", size).Read(in);
template <std::size_t Keys, std::size_t Keywords>
class BlockKeys {
public:
    // A reader is built for every block read, so its lists live in place.
    static constexpr std::size_t kMaxKeys = 16;
    static constexpr std::size_t kMaxKeywords = 2;
    using WithKey = BlockKeys<Keys + 1, Keywords>;
    using Type = BlockEntry::Type;

    BlockKeys(const BlockKeys&) = delete;
    BlockKeys& operator=(const BlockKeys&) = delete;

    WithKey Float(const char* key, float& field) && requires(Keys < kMaxKeys) {
        return Add({Type::Float, key, &field});
    }
    WithKey Int(const char* key, std::int32_t& field) && requires(Keys < kMaxKeys) {
        return Add({Type::Int, key, &field});
    }
    WithKey Bool(const char* key, bool& field) && requires(Keys < kMaxKeys) { return Add({Type::Bool, key, &field}); }
    WithKey Vec2(const char* key, ::Vec2& field) && requires(Keys < kMaxKeys) { return Add({Type::Vec2, key, &field}); }
    WithKey String(const char* key, std::string& field) && requires(Keys < kMaxKeys) {
        return Add({Type::String, key, &field});
    }
    // A string key whose value names a file of the given kind.
    WithKey FileName(const char* key, std::string& field, FileKind kind) && requires(Keys < kMaxKeys) {
        return Add({Type::String, key, &field, true, kind});
    }
    // A type keyword that reads its own data instead of a key and value
    // (a body's "Shape", a clickable's "Message").
    BlockKeys<Keys, Keywords + 1> Keyword(const char* keyword, std::function<void(DataReader&)> reader) &&
        requires(Keywords < kMaxKeywords) {
        return AddKeyword(keyword, std::move(reader));
    }

    // Reads up to and including the block's "end", or until the stream is
    // exhausted or failed.
    void Read(DataReader& in) &&;

private:
    template <std::size_t, std::size_t>
    friend class BlockKeys;
    friend class BlockReader;

    explicit BlockKeys(BlockReader& reader) : reader_(reader) {}
    WithKey Add(const BlockEntry& entry);
    BlockKeys<Keys, Keywords + 1> AddKeyword(const char* keyword, std::function<void(DataReader&)> reader);

    BlockReader& reader_;
};

// The one reading rule of every component data block: read a type keyword;
// "end" finishes; a keyword the component accepts is followed by a key, and
// a known key by its value(s); anything else is skipped one token at a time.
// Each component only lists its keys, on BlockKeys.
class BlockReader : public BlockKeys<0, 0> {
public:
    explicit BlockReader(std::string context) : BlockKeys<0, 0>(*this), context_(std::move(context)) {}

private:
    template <std::size_t, std::size_t>
    friend class BlockKeys;

    using Type = BlockEntry::Type;
    struct CustomKeyword {
        std::string_view keyword;
        std::function<void(DataReader&)> reader;
    };

    std::span<const BlockEntry> Entries() const { return {entries_.data(), entryCount_}; }
    std::span<const CustomKeyword> Keywords() const { return {keywords_.data(), keywordCount_}; }
    static std::string_view TypeWord(Type type);
    bool AcceptsType(std::string_view word, Type& type) const;
    const BlockEntry* Find(Type type, std::string_view key) const;
    static bool ReadEntry(DataReader& in, const BlockEntry& entry);
    void ReadBlock(DataReader& in) const;

    std::string context_;
    std::array<BlockEntry, kMaxKeys> entries_{};
    std::size_t entryCount_ = 0;
    std::array<CustomKeyword, kMaxKeywords> keywords_{};
    std::size_t keywordCount_ = 0;
};

// The types of the lists keep their lengths within the arrays.
template <std::size_t Keys, std::size_t Keywords>
BlockKeys<Keys + 1, Keywords> BlockKeys<Keys, Keywords>::Add(const BlockEntry& entry) {
    assert(reader_.entryCount_ == Keys);
    reader_.entries_[reader_.entryCount_++] = entry;
    return WithKey(reader_);
}

template <std::size_t Keys, std::size_t Keywords>
BlockKeys<Keys, Keywords + 1> BlockKeys<Keys, Keywords>::AddKeyword(const char* keyword,
                                                                    std::function<void(DataReader&)> reader) {
    assert(reader_.keywordCount_ == Keywords);
    reader_.keywords_[reader_.keywordCount_++] = {keyword, std::move(reader)};
    return BlockKeys<Keys, Keywords + 1>(reader_);
}

template <std::size_t Keys, std::size_t Keywords>
void BlockKeys<Keys, Keywords>::Read(DataReader& in) && {
    reader_.ReadBlock(in);
}

// Reads and ignores tokens up to and including the next "end"; the block of
// a component or shape without data.
void SkipBlock(DataReader& in, const std::string& context);
