#include "tools/check/CheckObserver.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "objects/Factory.h"
#include "platform/ImageFile.h"

namespace fs = std::filesystem;

namespace {
const std::string& FileOf(const DataPosition& where) {
    static const std::string none;
    return where.file != nullptr ? *where.file : none;
}

// A word of at most `limit` bytes, else its first ones and an ellipsis; a
// UTF-8 character is not cut in two.
std::string Shorten(const std::string& word, std::size_t limit) {
    if (word.size() <= limit) {
        return word;
    }
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(word[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return word.substr(0, cut) + "\u2026";
}

// Built piece by piece: g++ 12 at -O3 reports a false overlap for
// `"\"" + temporary`.
std::string InQuotes(const std::string& text) {
    std::string quoted(1, '"');
    quoted += text;
    quoted += '"';
    return quoted;
}

std::string Quote(const std::string& text) { return InQuotes(Shorten(text, CheckObserver::kWordLength)); }

bool IsTypeKeyword(const std::string& word) {
    return word == "Vec2" || word == "float" || word == "int" || word == "bool" || word == "string" ||
           word == "Shape" || word == "Message" || word == "Rect" || word == "Circle";
}

bool IsLevelCommand(const std::string& word) { return word == "Quit" || word == "LoadLevel" || word == "SwitchLevel"; }

// What a reader context names, for "... is cut off" messages.
std::string DescribeContext(const std::string& context) {
    static const std::string entry = "object entry ";
    if (context.rfind(entry, 0) == 0) {
        return "object entry " + Quote(context.substr(entry.size()));
    }
    if (IsLevelCommand(context)) {
        return Quote(context) + " command";
    }
    if (context == "Rect" || context == "Circle") {
        return Quote(context) + " shape block";
    }
    return Quote(context) + " block";
}

const char* KindWord(FileKind kind) {
    switch (kind) {
    case FileKind::Archetype: return "archetype";
    case FileKind::Level: return "level";
    case FileKind::Image: return "image";
    }
    return "";
}

const char* KindDirectory(FileKind kind) {
    switch (kind) {
    case FileKind::Archetype: return "Data/Archetypes/";
    case FileKind::Level: return "Data/Levels/";
    case FileKind::Image: return "Data/Images/";
    }
    return "";
}
}  // namespace

std::string CheckObserver::Relative(const std::string& path) const {
    std::string relative = path;
    if (!root_.empty() && relative.rfind(root_, 0) == 0) {
        relative.erase(0, root_.size());
    }
    return fs::path(relative).lexically_normal().generic_string();
}

std::string CheckObserver::PathOf(FileKind kind, const std::string& name) const {
    return root_ + KindDirectory(kind) + name;
}

void CheckObserver::Report(const std::string& path, std::int64_t offset, std::string message) {
    const SourceText::Location location = text_.Locate(path, offset);
    found_.Insert({Relative(path), location.line, location.column, std::move(message)});
}

std::string CheckObserver::QuoteFile(FileKind kind, const std::string& path) const {
    // The directory is not part of the word.
    const std::string relative = Relative(path);
    const std::string directory = KindDirectory(kind);
    const std::size_t limit = kWordLength + (relative.rfind(directory, 0) == 0 ? directory.size() : 0);
    return InQuotes(Shorten(relative, limit));
}

void CheckObserver::OnSkippedToken(const DataPosition& where, const std::string& token, const std::string& context) {
    if (context == "Shape") {
        Report(FileOf(where), where.offset, "unknown shape " + Quote(token) + " (the body gets no shape)");
    } else if (context == "Message") {
        Report(FileOf(where), where.offset, "unknown level command " + Quote(token) + " (clicks do nothing)");
    } else if (IsLevelCommand(context)) {
        Report(FileOf(where), where.offset, "skipped token " + Quote(token) + " in the " + Quote(context) + " command");
    } else {
        Report(FileOf(where), where.offset, "skipped token " + Quote(token) + " in " + context);
    }
}

void CheckObserver::OnUnknownKey(const DataPosition& where, const std::string& keyword, const std::string& key,
                                 const std::string& context) {
    const std::string in = IsLevelCommand(context) ? "the " + Quote(context) + " command" : context;
    Report(FileOf(where), where.offset, "unknown key " + Quote(key) + " after " + Quote(keyword) + " in " + in);
}

void CheckObserver::OnFailedRead(const DataPosition& where, const char* expected) {
    const std::string token = text_.TokenAt(FileOf(where), where.offset);
    Report(FileOf(where), where.offset,
           "cannot read " + Quote(token) + " as " + expected + "; the rest of the file is not read");
}

void CheckObserver::OnUnterminated(const DataPosition& where, const std::string& context) {
    Report(FileOf(where), where.offset, DescribeContext(context) + " is cut off by the end of the file (no \"end\")");
}

void CheckObserver::OnUnknownComponent(const DataPosition& where, const std::string& name) {
    // Words of a skipped block are read as component names in turn; only
    // those that could be meant as one (type names are upper camel case) are
    // called unknown components.
    const bool nameLike = !name.empty() && name.front() >= 'A' && name.front() <= 'Z' && !IsTypeKeyword(name);
    if (!nameLike) {
        Report(FileOf(where), where.offset, "skipped token " + Quote(name) + " where a component name is expected");
    } else {
        Report(FileOf(where), where.offset, "unknown component " + Quote(name));
    }
}

void CheckObserver::OnUnreadRest(const DataPosition& where, const std::string& token) {
    Report(FileOf(where), where.offset,
           Quote(token) + " and everything after it is never read: the archetype ends at the \"end\" before it");
}

bool CheckObserver::CheckFile(FileKind kind, const std::string& name, const std::string& atPath,
                              std::int64_t atOffset) {
    const std::string path = PathOf(kind, name);
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        Report(atPath, atOffset, std::string("missing ") + KindWord(kind) + " file " + QuoteFile(kind, path));
        return false;
    }
    if (kind != FileKind::Image) {
        return true;
    }
    // Decoded once per image, with the loader the game's backends use.
    if (imagesChecked_.insert(path).second) {
        Image image;
        if (!LoadImageFile(path, image)) {
            badImages_.insert(path);
        } else {
            imageSizes_[path] = {image.width, image.height};
        }
    }
    if (badImages_.count(path) != 0) {
        Report(atPath, atOffset, "image file " + QuoteFile(kind, path) + " cannot be decoded");
        return false;
    }
    return true;
}

void CheckObserver::OnFileReference(const DataPosition& where, FileKind kind, const std::string& name) {
    const std::string& file = FileOf(where);
    if (kind == FileKind::Archetype && factory_ != nullptr && file == levelPath_) {
        // The factory numbers the object of this entry, if it builds one,
        // with the id it would hand out next.
        entries_.push_back({factory_->nextId, where.offset});
    }
    if (kind == FileKind::Image && factory_ != nullptr) {
        imageTokens_[ObjectBeingRead(file)] = {file, where.offset};
    }
    if (kind == FileKind::Level && name.empty()) {
        const std::string command = text_.TokenAt(file, where.offset);
        Report(file, where.offset, Quote(command) + " names no level file (no \"string level <file>\")");
        return;
    }
    CheckFile(kind, name, file, where.offset);
}

std::int32_t CheckObserver::ObjectBeingRead(const std::string& file) const {
    // An archetype is read before its object takes the next id, the
    // overrides of a level entry after.
    return file == levelPath_ ? factory_->nextId - 1 : factory_->nextId;
}

void CheckObserver::OnKeyRead(const DataPosition& where, const std::string& context, std::string_view key) {
    if (factory_ != nullptr) {
        const std::string& file = FileOf(where);
        keyTokens_[{ObjectBeingRead(file), context + "." + std::string(key)}] = {file, where.offset};
    }
}

bool CheckObserver::KeyToken(std::int32_t objectId, const std::string& name, std::string& path,
                             std::int64_t& offset) const {
    const auto it = keyTokens_.find({objectId, name});
    if (it == keyTokens_.end()) {
        return false;
    }
    path = it->second.path;
    offset = it->second.offset;
    return true;
}

void CheckObserver::BeginLevel(const std::string& path, const Factory& factory) {
    levelPath_ = path;
    factory_ = &factory;
    entries_.clear();
    imageTokens_.clear();
    keyTokens_.clear();
}

void CheckObserver::CheckDrawnImage(std::int32_t objectId, const std::string& image, float width, float height,
                                    const std::string& levelPath) {
    const auto token = imageTokens_.find(objectId);
    const std::string path = PathOf(FileKind::Image, image);
    const auto size = imageSizes_.find(path);
    // A missing or undecodable image is reported as such; nothing is drawn
    // of an empty rectangle.
    if (token == imageTokens_.end() || size == imageSizes_.end() || size->second.width == 0 ||
        size->second.height == 0 || !(width > 0.0f) || !(height > 0.0f)) {
        return;
    }
    const double imageWidth = size->second.width;
    const double imageHeight = size->second.height;
    if (imageWidth >= width && imageHeight >= height) {
        return;  // at least a texel per pixel: shrunk, not stretched
    }
    const double drawnAspect = static_cast<double>(width) / height;
    if (std::abs(imageWidth / imageHeight / drawnAspect - 1.0) <= 0.05) {
        return;
    }
    std::ostringstream message;
    message << "warning: image " << QuoteFile(FileKind::Image, path) << " of " << size->second.width << " x "
            << size->second.height << " is stretched over " << width << " x " << height;
    // The same archetype may be drawn at other sizes by other entries.
    const std::int64_t entry = EntryOffset(objectId);
    if (!levelPath.empty() && token->second.path != levelPath && entry >= 0) {
        const SourceText::Location at = text_.Locate(levelPath, entry);
        message << " (the object of " << Relative(levelPath) << ":" << at.line << ":" << at.column << ")";
    }
    Report(token->second.path, token->second.offset, message.str());
}

void CheckObserver::EndLevel() {
    levelPath_.clear();
    factory_ = nullptr;
}

std::int64_t CheckObserver::EntryOffset(std::int32_t objectId) const {
    // An ObjectThrower override in an entry also names an archetype and
    // records the next id; the entry that follows it records the same id
    // later, so the last record with the id is the right one. Ids only
    // grow, so the records are sorted by id.
    const auto after = std::upper_bound(entries_.begin(), entries_.end(), objectId,
                                        [](std::int32_t id, const Entry& entry) { return id < entry.id; });
    return after != entries_.begin() && std::prev(after)->id == objectId ? std::prev(after)->offset : -1;
}
