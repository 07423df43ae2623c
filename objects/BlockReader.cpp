#include "objects/BlockReader.h"

#include "objects/DataReader.h"

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
    for (const BlockEntry& entry : Entries()) {
        if (word == TypeWord(entry.type)) {
            type = entry.type;
            return true;
        }
    }
    return false;
}

const BlockEntry* BlockReader::Find(Type type, std::string_view key) const {
    for (const BlockEntry& entry : Entries()) {
        if (entry.type == type && key == entry.key) {
            return &entry;
        }
    }
    return nullptr;
}

bool BlockReader::ReadEntry(DataReader& in, const BlockEntry& entry) {
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

void BlockReader::ReadBlock(DataReader& in) const {
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
        const BlockEntry* entry = Find(type, key);
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
