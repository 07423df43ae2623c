#include "objects/BlockReader.h"

#include <stdexcept>

#include "objects/DataReader.h"

BlockReader& BlockReader::Add(const Entry& entry) {
    if (entryCount_ == entries_.size()) {
        throw std::length_error("BlockReader " + context_ + ": more than kMaxKeys keys");
    }
    entries_[entryCount_++] = entry;
    return *this;
}

BlockReader& BlockReader::Float(const char* key, float& field) {
    return Add({Type::Float, key, &field, false, FileKind::Archetype});
}

BlockReader& BlockReader::Int(const char* key, std::int32_t& field) {
    return Add({Type::Int, key, &field, false, FileKind::Archetype});
}

BlockReader& BlockReader::Bool(const char* key, bool& field) {
    return Add({Type::Bool, key, &field, false, FileKind::Archetype});
}

BlockReader& BlockReader::Vec2(const char* key, ::Vec2& field) {
    return Add({Type::Vec2, key, &field, false, FileKind::Archetype});
}

BlockReader& BlockReader::String(const char* key, std::string& field) {
    return Add({Type::String, key, &field, false, FileKind::Archetype});
}

BlockReader& BlockReader::FileName(const char* key, std::string& field, FileKind kind) {
    return Add({Type::String, key, &field, true, kind});
}

BlockReader& BlockReader::Keyword(const char* keyword, std::function<void(DataReader&)> reader) {
    if (keywordCount_ == keywords_.size()) {
        throw std::length_error("BlockReader " + context_ + ": more than kMaxKeywords keywords");
    }
    keywords_[keywordCount_++] = {keyword, std::move(reader)};
    return *this;
}

std::string_view BlockReader::TypeWord(Type type) {
    switch (type) {
    case Type::Float: return "float";
    case Type::Int: return "int";
    case Type::Bool: return "bool";
    case Type::Vec2: return "Vec2";
    case Type::String: return "string";
    }
    return "";
}

bool BlockReader::AcceptsType(std::string_view word, Type& type) const {
    for (const Entry& entry : Entries()) {
        if (word == TypeWord(entry.type)) {
            type = entry.type;
            return true;
        }
    }
    return false;
}

const BlockReader::Entry* BlockReader::Find(Type type, std::string_view key) const {
    for (const Entry& entry : Entries()) {
        if (entry.type == type && key == entry.key) {
            return &entry;
        }
    }
    return nullptr;
}

bool BlockReader::ReadEntry(DataReader& in, const Entry& entry) {
    switch (entry.type) {
    case Type::Float: return in.ReadFloat(*static_cast<float*>(entry.field));
    case Type::Int: return in.ReadInt(*static_cast<std::int32_t*>(entry.field));
    case Type::Bool: return in.ReadBool(*static_cast<bool*>(entry.field));
    case Type::Vec2: return in.ReadVec2(*static_cast<::Vec2*>(entry.field));
    case Type::String: {
        std::string value;
        if (!in.ReadWord(value)) {
            return false;
        }
        if (entry.isFile && in.Observer() != nullptr) {
            in.Observer()->OnFileReference(in.LastPosition(), entry.kind, value);
        }
        *static_cast<std::string*>(entry.field) = std::move(value);
        return true;
    }
    }
    return false;
}

namespace {
void ReportCutOff(DataReader& in, const DataPosition& start, const std::string& context) {
    // A failed value was reported where it happened; only an exhausted
    // stream is a block cut off before its "end".
    if (in.Observer() != nullptr && !in.ValueFailed()) {
        in.Observer()->OnUnterminated(start, context);
    }
}
}  // namespace

void BlockReader::Read(DataReader& in) const {
    const DataPosition start = in.LastPosition();
    DataObserver* observer = in.Observer();
    std::string word;
    std::string key;
    while (true) {
        if (!in.ReadWord(word)) {
            ReportCutOff(in, start, context_);
            return;
        }
        if (IsEnd(word)) {
            return;
        }
        bool custom = false;
        for (const CustomKeyword& keyword : Keywords()) {
            if (std::string_view(word) == keyword.keyword) {
                keyword.reader(in);
                custom = true;
                break;
            }
        }
        if (custom) {
            continue;
        }
        Type type{};
        if (!AcceptsType(word, type)) {
            if (observer != nullptr) {
                observer->OnSkippedToken(in.LastPosition(), word, context_);
            }
            continue;
        }
        if (!in.ReadWord(key)) {
            ReportCutOff(in, start, context_);
            return;
        }
        const Entry* entry = Find(type, key);
        if (entry == nullptr) {
            if (observer != nullptr) {
                observer->OnUnknownKey(in.LastPosition(), word, key, context_);
            }
            continue;
        }
        const DataPosition keyAt = in.LastPosition();
        if (!ReadEntry(in, *entry)) {
            ReportCutOff(in, start, context_);
            return;
        }
        if (observer != nullptr) {
            observer->OnKeyRead(keyAt, context_, entry->key);
        }
    }
}

void SkipBlock(DataReader& in, const std::string& context) { BlockReader(context).Read(in); }
