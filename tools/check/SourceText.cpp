#include "tools/check/SourceText.h"

#include <fstream>
#include <iterator>

namespace {
// The white space of the classic "C" locale, which the data reader uses.
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
}  // namespace

const std::string& SourceText::Text(const std::string& path) {
    auto it = texts_.find(path);
    if (it != texts_.end()) {
        return it->second;
    }
    std::ifstream file(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return texts_.emplace(path, std::move(text)).first->second;
}

SourceText::Location SourceText::Locate(const std::string& path, std::int64_t offset) {
    Location location;
    if (offset <= 0) {
        return location;
    }
    const std::string& text = Text(path);
    const std::size_t end = static_cast<std::size_t>(offset) < text.size() ? static_cast<std::size_t>(offset)
                                                                            : text.size();
    for (std::size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++location.line;
            location.column = 1;
        } else {
            ++location.column;
        }
    }
    return location;
}

std::string SourceText::TokenAt(const std::string& path, std::int64_t offset) {
    if (offset < 0) {
        return {};
    }
    const std::string& text = Text(path);
    std::size_t end = static_cast<std::size_t>(offset);
    while (end < text.size() && !IsSpace(text[end])) {
        ++end;
    }
    const std::size_t start = static_cast<std::size_t>(offset);
    return start < end ? text.substr(start, end - start) : std::string();
}
