#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "objects/DataObserver.h"
#include "tools/check/DiagnosticSet.h"
#include "tools/check/SourceText.h"

class Factory;

// Turns everything the game's readers report into findings with a file,
// line and column. A file read several times (an archetype used by many
// levels) yields the same findings each time; the set keeps one of each.
// Words quoted from the data are shortened to kWordLength characters.
class CheckObserver : public DataObserver {
public:
    static constexpr std::size_t kWordLength = 40;

    // `root` is the data root as the factory uses it: "" or ending in '/'.
    // `capPerFile` as for DiagnosticSet.
    CheckObserver(std::string root, std::size_t capPerFile) : root_(std::move(root)), found_(capPerFile) {}

    void OnSkippedToken(const DataPosition& where, const std::string& token, const std::string& context) override;
    void OnUnknownKey(const DataPosition& where, const std::string& keyword, const std::string& key,
                      const std::string& context) override;
    void OnFailedRead(const DataPosition& where, const char* expected) override;
    void OnUnterminated(const DataPosition& where, const std::string& context) override;
    void OnUnknownComponent(const DataPosition& where, const std::string& name) override;
    void OnFileReference(const DataPosition& where, FileKind kind, const std::string& name) override;
    void OnUnreadRest(const DataPosition& where, const std::string& token) override;
    void OnKeyRead(const DataPosition& where, const std::string& context, std::string_view key) override;

    // Brackets the load of one level file (its path as the factory opens
    // it), so that each object can be traced back to its entry.
    void BeginLevel(const std::string& path, const Factory& factory);
    void EndLevel();
    // The same for objects the game builds from archetypes alone.
    void BeginArchetypes(const Factory& factory) { BeginLevel({}, factory); }
    // The byte offset of the entry of the level just loaded that built the
    // object with this id; -1 if none did.
    std::int64_t EntryOffset(std::int32_t objectId) const;

    // A finding at a byte offset of a file named as the factory opened it.
    void Report(const std::string& path, std::int64_t offset, std::string message);
    SourceText::Location Locate(const std::string& path, std::int64_t offset) { return text_.Locate(path, offset); }

    // The path relative to the data root, the way findings name files.
    std::string Relative(const std::string& path) const;
    // Relative(path) in quotes, its file name shortened like a word.
    std::string QuoteFile(FileKind kind, const std::string& path) const;
    // The path the game opens for a file of this kind (relative to the
    // current directory, like the factory's).
    std::string PathOf(FileKind kind, const std::string& name) const;
    // Reports a missing (or, for images, undecodable) file; true if fine.
    bool CheckFile(FileKind kind, const std::string& name, const std::string& atPath, std::int64_t atOffset);
    // Warns, at the token that named the image of the object with this id
    // in the level just loaded, when the image is stretched over a drawn
    // rectangle of width x height: its aspect ratio is more than 5 % off
    // the rectangle's and it is smaller than the rectangle. Objects built
    // between BeginLevel or BeginArchetypes and EndLevel are known. When the
    // image is named in an archetype, the message names the level entry
    // (of the level file `levelPath`, "" for none) whose object it is.
    void CheckDrawnImage(std::int32_t objectId, const std::string& image, float width, float height,
                         const std::string& levelPath);

    // Where the key `context`.`key` (for example "RandomTargetAI.clampMin")
    // of the object with this id was last read, in the level just loaded;
    // false when its data did not set it.
    bool KeyToken(std::int32_t objectId, const std::string& name, std::string& path, std::int64_t& offset) const;

    DiagnosticSet& Diagnostics() { return found_; }

private:
    struct Entry {
        std::int32_t id;
        std::int64_t offset;
    };
    struct Token {
        std::string path;
        std::int64_t offset;
    };
    struct Size {
        std::uint32_t width;
        std::uint32_t height;
    };

    std::string root_;
    SourceText text_;
    DiagnosticSet found_;
    std::set<std::string> imagesChecked_;
    std::set<std::string> badImages_;
    std::map<std::string, Size> imageSizes_;
    const Factory* factory_ = nullptr;
    std::string levelPath_;
    std::vector<Entry> entries_;
    // The last image name read for each object the level built; a level
    // entry's override comes after its archetype's.
    std::map<std::int32_t, Token> imageTokens_;
    // The same for every key read, by object and "context.key".
    std::map<std::pair<std::int32_t, std::string>, Token> keyTokens_;

    // The id of the object whose data is being read from `file`.
    std::int32_t ObjectBeingRead(const std::string& file) const;
};
