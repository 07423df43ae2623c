#include "objects/DataText.h"

#include <locale>

DataText::DataText(std::string bytes) : bytes_(std::move(bytes)) {
    // The same test the stream extractions use, so that tokens end exactly
    // where a word read from the file would.
    const auto& ctype = std::use_facet<std::ctype<char>>(std::locale::classic());
    const std::size_t size = bytes_.size();
    // Counted first, so that the tokens of a large level take one block.
    std::size_t count = 0;
    bool inToken = false;
    for (const char c : bytes_) {
        const bool space = ctype.is(std::ctype_base::space, c);
        count += !space && !inToken ? 1 : 0;
        inToken = !space;
    }
    tokens_.reserve(count);
    std::size_t at = 0;
    while (at < size) {
        while (at < size && ctype.is(std::ctype_base::space, bytes_[at])) {
            ++at;
        }
        if (at == size) {
            break;
        }
        const std::size_t start = at;
        while (at < size && !ctype.is(std::ctype_base::space, bytes_[at])) {
            ++at;
        }
        tokens_.push_back({start, at - start});
    }
}
