#include "objects/DataReader.h"

#include <charconv>
#include <cstdint>
#include <iterator>
#include <locale>
#include <sstream>
#include <system_error>
#include <type_traits>

namespace {

// The stream extractions' own number parser, run over a token in memory:
// what a value is and where it stops stay exactly those of reading the file
// as a stream.
class TokenNumberParser : public std::num_get<char, const char*> {
public:
    TokenNumberParser() : std::num_get<char, const char*>(1) {
        format_.imbue(std::locale::classic());
        format_ >> std::boolalpha;
    }
    ~TokenNumberParser() override = default;

    template <class T>
    const char* Parse(const char* begin, const char* end, T& value, bool& failed) {
        std::ios_base::iostate state = std::ios_base::goodbit;
        const char* stop = get(begin, end, format_, state, value);
        failed = (state & std::ios_base::failbit) != 0;
        return stop;
    }

private:
    // Supplies the flags and locale of a freshly opened data stream.
    std::istringstream format_;
};

// A value written as a plain decimal ("400", "-12.5"), which is what data
// files nearly always hold. Short enough that it can neither overflow nor
// underflow a float, it converts to the same correctly rounded value the
// stream gives, without the stream parser's cost.
bool ParsePlainDecimal(const char* begin, const char* end, float& value) {
    if (end - begin > 20) {
        return false;
    }
    const auto digits = [&](const char* p) {
        while (p != end && *p >= '0' && *p <= '9') {
            ++p;
        }
        return p;
    };
    const char* p = begin != end && *begin == '-' ? begin + 1 : begin;
    const char* integer = digits(p);
    if (integer == p) {
        return false;
    }
    p = integer;
    if (p != end && *p == '.') {
        const char* fraction = digits(p + 1);
        if (fraction == p + 1) {
            return false;
        }
        p = fraction;
    }
    if (p != end) {
        return false;
    }
    const std::from_chars_result result = std::from_chars(begin, end, value);
    return result.ec == std::errc() && result.ptr == end;
}

TokenNumberParser& NumberParser() {
    static TokenNumberParser parser;
    return parser;
}

std::string ReadAll(std::istream& in) {
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

DataReader::DataReader(std::shared_ptr<const DataText> text, std::string fileName, DataObserver* observer)
    : text_(std::move(text)), fileName_(std::move(fileName)), observer_(observer) {}

DataReader::DataReader(std::istream& in, std::string fileName, DataObserver* observer)
    : DataReader(std::make_shared<const DataText>(ReadAll(in)), std::move(fileName), observer) {}

bool DataReader::NextToken(const char*& begin, const char*& end) {
    if (!Good()) {
        return false;
    }
    const DataText::Token& token = text_->Tokens()[next_];
    begin = text_->Bytes().data() + token.offset + skipped_;
    end = text_->Bytes().data() + token.offset + token.size;
    lastOffset_ = static_cast<std::int64_t>(token.offset + skipped_);
    return true;
}

void DataReader::Consume(std::size_t consumed) {
    skipped_ += consumed;
    if (skipped_ >= text_->Tokens()[next_].size) {
        ++next_;
        skipped_ = 0;
    }
}

bool DataReader::Fail(const char* expected) {
    failed_ = true;
    if (observer_ != nullptr) {
        observer_->OnFailedRead(LastPosition(), expected);
    }
    return false;
}

bool DataReader::ReadWord(std::string& word) {
    const char* begin = nullptr;
    const char* end = nullptr;
    if (!NextToken(begin, end)) {
        return false;
    }
    word.assign(begin, end);
    Consume(static_cast<std::size_t>(end - begin));
    return true;
}

template <class T>
bool DataReader::ReadValue(T& value, const char* expected) {
    const char* begin = nullptr;
    const char* end = nullptr;
    if (!NextToken(begin, end)) {
        return false;
    }
    T parsed{};
    if constexpr (std::is_same_v<T, float>) {
        if (ParsePlainDecimal(begin, end, parsed)) {
            Consume(static_cast<std::size_t>(end - begin));
            value = parsed;
            return true;
        }
    }
    bool failed = false;
    const char* stop = NumberParser().Parse(begin, end, parsed, failed);
    if (failed) {
        return Fail(expected);
    }
    Consume(static_cast<std::size_t>(stop - begin));
    value = parsed;
    return true;
}

bool DataReader::ReadFloat(float& value) { return ReadValue(value, "float"); }

bool DataReader::ReadInt(std::int32_t& value) {
    const char* begin = nullptr;
    const char* end = nullptr;
    if (!NextToken(begin, end)) {
        return false;
    }
    // As the stream extracts an int: read as a long, then out of range is
    // a failed read.
    long parsed = 0;
    bool failed = false;
    const char* stop = NumberParser().Parse(begin, end, parsed, failed);
    const std::int64_t wide = parsed;  // long is 32 bits on some platforms
    if (failed || wide < INT32_MIN || wide > INT32_MAX) {
        return Fail("int");
    }
    Consume(static_cast<std::size_t>(stop - begin));
    value = static_cast<std::int32_t>(parsed);
    return true;
}

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
