#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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
    // Room for the keys of any component without growing (a block reader is
    // built for every block read).
    explicit BlockReader(std::string context) : context_(std::move(context)) { entries_.reserve(12); }

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
    struct Entry {
        Type type;
        const char* key;
        void* field;
        bool isFile;
        FileKind kind;
    };
    struct CustomKeyword {
        const char* keyword;
        std::function<void(DataReader&)> reader;
    };

    static const char* TypeWord(Type type);
    bool AcceptsType(const std::string& word, Type& type) const;
    const Entry* Find(Type type, const std::string& key) const;
    static bool ReadEntry(DataReader& in, const Entry& entry);

    std::string context_;
    std::vector<Entry> entries_;
    std::vector<CustomKeyword> keywords_;
};

// Reads and ignores tokens up to and including the next "end"; the block of
// a component or shape without data.
void SkipBlock(DataReader& in, const std::string& context);
