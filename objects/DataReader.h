#pragma once

#include <cstdint>
#include <istream>
#include <string>

#include "core/Vec2.h"
#include "objects/DataObserver.h"

// The token reader shared by every data file and every Serialize:
// whitespace-separated tokens in the classic "C" locale, numbers with the
// usual stream meaning, booleans only as the words "true" and "false".
// A failed read leaves the target untouched and the stream failed, so that
// every later read yields nothing and every loop over it ends.
class DataReader {
public:
    explicit DataReader(std::istream& in, std::string fileName = {}, DataObserver* observer = nullptr);

    bool ReadWord(std::string& word);
    bool ReadFloat(float& value);
    bool ReadInt(std::int32_t& value);
    bool ReadBool(bool& value);
    bool ReadVec2(Vec2& value);

    // True while the stream can still deliver tokens.
    bool Good() const { return in_.good(); }
    // True once a value failed to parse (as opposed to the file ending).
    bool ValueFailed() const { return valueFailed_; }

    DataObserver* Observer() const { return observer_; }
    const std::string& FileName() const { return fileName_; }
    // Where the token read last started (offset -1 without an observer).
    DataPosition LastPosition() const { return {&fileName_, lastOffset_}; }

private:
    // Skips white space; false when no token is left to read.
    bool SkipToToken();
    template <class T>
    bool ReadValue(T& value, const char* expected);

    std::istream& in_;
    std::string fileName_;
    DataObserver* observer_;
    std::int64_t lastOffset_ = -1;
    bool valueFailed_ = false;
};
