#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

#include "core/Vec2.h"
#include "objects/DataObserver.h"
#include "objects/DataText.h"

// The word that closes every data block, object entry and command.
inline bool IsEnd(std::string_view word) { return word == "end"; }

// The token reader shared by every data file and every Serialize:
// whitespace-separated tokens in the classic "C" locale, numbers with the
// usual stream meaning, booleans only as the words "true" and "false".
// A failed read leaves the target untouched and the reader failed, so that
// every later read yields nothing and every loop over it ends.
//
// It reads a text that was split into tokens beforehand; a number takes
// what a stream extraction would take from the start of its token, and
// whatever follows in that token is the next token ("12abc" read as an int
// gives 12, then the word "abc").
class DataReader {
public:
    DataReader(std::shared_ptr<const DataText> text, std::string fileName = {}, DataObserver* observer = nullptr);
    // Reads the rest of `in` at once.
    explicit DataReader(std::istream& in, std::string fileName = {}, DataObserver* observer = nullptr);

    bool ReadWord(std::string& word);
    bool ReadFloat(float& value);
    bool ReadInt(std::int32_t& value);
    bool ReadBool(bool& value);
    bool ReadVec2(Vec2& value);

    // True while a token is left to read.
    bool Good() const { return !failed_ && next_ < text_->Tokens().size(); }
    // True once a value failed to parse (as opposed to the file ending).
    bool ValueFailed() const { return failed_; }

    DataObserver* Observer() const { return observer_; }
    const std::string& FileName() const { return fileName_; }
    // Where the token read last started (offset -1 before the first read).
    DataPosition LastPosition() const { return {&fileName_, lastOffset_}; }

private:
    // The rest of the next token; false when no token is left to read.
    bool NextToken(const char*& begin, const char*& end);
    // Moves past the first `consumed` characters of the next token.
    void Consume(std::size_t consumed);
    template <class T>
    bool ReadValue(T& value, const char* expected);
    // Marks the reader failed at the token being read; always false.
    bool Fail(const char* expected);

    std::shared_ptr<const DataText> text_;
    std::string fileName_;
    DataObserver* observer_;
    std::size_t next_ = 0;     // the token being read
    std::size_t skipped_ = 0;  // characters of it already taken by a number
    std::int64_t lastOffset_ = -1;
    bool failed_ = false;
};
