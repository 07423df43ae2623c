#include "objects/DataReader.h"

#include <locale>

DataReader::DataReader(std::istream& in, std::string fileName, DataObserver* observer)
    : in_(in), fileName_(std::move(fileName)), observer_(observer) {
    in_.imbue(std::locale::classic());
    in_ >> std::boolalpha;
}

bool DataReader::SkipToToken() {
    if (!in_.good()) {
        return false;
    }
    // Extraction skips the same white space itself; doing it first only
    // tells an exhausted stream from a malformed value.
    in_ >> std::ws;
    if (!in_.good()) {
        return false;
    }
    // Positions are only worth their cost when somebody listens.
    if (observer_ != nullptr) {
        lastOffset_ = static_cast<std::int64_t>(in_.tellg());
    }
    return true;
}

bool DataReader::ReadWord(std::string& word) {
    if (!SkipToToken()) {
        return false;
    }
    std::string token;
    if (!(in_ >> token)) {
        return false;
    }
    word = std::move(token);
    return true;
}

template <class T>
bool DataReader::ReadValue(T& value, const char* expected) {
    if (!SkipToToken()) {
        return false;
    }
    T parsed{};
    if (!(in_ >> parsed)) {
        valueFailed_ = true;
        if (observer_ != nullptr) {
            observer_->OnFailedRead(LastPosition(), expected);
        }
        return false;
    }
    value = parsed;
    return true;
}

bool DataReader::ReadFloat(float& value) { return ReadValue(value, "float"); }

bool DataReader::ReadInt(std::int32_t& value) { return ReadValue(value, "int"); }

bool DataReader::ReadBool(bool& value) { return ReadValue(value, "bool"); }

bool DataReader::ReadVec2(Vec2& value) {
    float x = 0.0f;
    float y = 0.0f;
    if (!ReadFloat(x) || !ReadFloat(y)) {
        return false;
    }
    value = {x, y};
    return true;
}
