#include "objects/DataText.h"

#include <array>
#include <locale>

namespace {

// The white space of the classic locale, the same test the stream
// extractions use, so that tokens end exactly where a word read from the
// file would. Looked up once per character value.
const std::array<bool, 256>& SpaceTable() {
    static const std::array<bool, 256> table = [] {
        std::array<bool, 256> space{};
        const auto& ctype = std::use_facet<std::ctype<char>>(std::locale::classic());
        for (std::size_t c = 0; c < space.size(); ++c) {
            space[c] = ctype.is(std::ctype_base::space, static_cast<char>(static_cast<unsigned char>(c)));
        }
        return space;
    }();
    return table;
}

}  // namespace

DataText::DataText(std::string bytes) : bytes_(std::move(bytes)) {
    const std::array<bool, 256>& space = SpaceTable();
    const auto isSpace = [&space](char c) { return space[static_cast<unsigned char>(c)]; };
    const std::size_t size = bytes_.size();
    std::size_t at = 0;
    while (at < size) {
        while (at < size && isSpace(bytes_[at])) {
            ++at;
        }
        if (at == size) {
            break;
        }
        const std::size_t start = at;
        while (at < size && !isSpace(bytes_[at])) {
            ++at;
        }
        tokens_.push_back({start, at - start});
    }
}
