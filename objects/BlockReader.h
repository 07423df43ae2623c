#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "core/Vec2.h"
#include "objects/DataObserver.h"

class DataReader;

// The one reading rule of every component data block: read a type keyword;
// "end" finishes; a keyword the component accepts is followed by a key, and
// a known key by its value(s); anything else is skipped one token at a time.
// Each component only lists its keys:
//
//     BlockReader(kTypeName).Float("depth", depth).Vec2("size", size).Read(in);
class BlockReader {
public:
    // A block reader is built for every block read, so its lists live in
    // place; listing more than they hold is a programming error (throws
    // std::length_error).
    static constexpr std::size_t kMaxKeys = 16;
    static constexpr std::size_t kMaxKeywords = 2;

    explicit BlockReader(std::string context) : context_(std::move(context)) {}

    BlockReader& Float(const char* key, float& field);
    BlockReader& Int(const char* key, std::int32_t& field);
    BlockReader& Bool(const char* key, bool& field);
    BlockReader& Vec2(const char* key, ::Vec2& field);
    BlockReader& String(const char* key, std::string& field);
    // A string key whose value names a file of the given kind.
    BlockReader& FileName(const char* key, std::string& field, FileKind kind);
    // A type keyword that reads its own data instead of a key and value
    // (a body's "Shape", a clickable's "Message").
    BlockReader& Keyword(const char* keyword, std::function<void(DataReader&)> reader);

    // Reads up to and including the block's "end", or until the stream is
    // exhausted or failed.
    void Read(DataReader& in) const;

private:
    enum class Type { Float, Int, Bool, Vec2, String };
    // Names are views, so that a word is compared by length first and only
    // a word of the right length by its bytes.
    struct Entry {
        Type type;
        std::string_view key;
        void* field;
        bool isFile;
        FileKind kind;
    };
    struct CustomKeyword {
        std::string_view keyword;
        std::function<void(DataReader&)> reader;
    };

    BlockReader& Add(const Entry& entry);
    std::span<const Entry> Entries() const { return {entries_.data(), entryCount_}; }
    std::span<const CustomKeyword> Keywords() const { return {keywords_.data(), keywordCount_}; }
    static std::string_view TypeWord(Type type);
    bool AcceptsType(std::string_view word, Type& type) const;
    const Entry* Find(Type type, std::string_view key) const;
    static bool ReadEntry(DataReader& in, const Entry& entry);

    std::string context_;
    std::array<Entry, kMaxKeys> entries_{};
    std::size_t entryCount_ = 0;
    std::array<CustomKeyword, kMaxKeywords> keywords_{};
    std::size_t keywordCount_ = 0;
};

// Reads and ignores tokens up to and including the next "end"; the block of
// a component or shape without data.
void SkipBlock(DataReader& in, const std::string& context);
