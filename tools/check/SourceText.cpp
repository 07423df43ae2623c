#include "tools/check/SourceText.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {
// The white space of the classic "C" locale, which the data reader uses.
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
}  // namespace

SourceText::File& SourceText::Load(const std::string& path) {
    auto it = files_.find(path);
    if (it != files_.end()) {
        return it->second;
    }
    std::ifstream stream(path, std::ios::binary);
    File file;
    file.text.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    return files_.emplace(path, std::move(file)).first->second;
}

SourceText::Location SourceText::Locate(const std::string& path, std::int64_t offset) {
    Location location;
    if (offset <= 0) {
        return location;
    }
    File& file = Load(path);
    if (file.lineStarts.empty()) {
        file.lineStarts.push_back(0);
        for (std::size_t i = 0; i < file.text.size(); ++i) {
            if (file.text[i] == '\n') {
                file.lineStarts.push_back(i + 1);
            }
        }
    }
    const std::size_t at = std::min(static_cast<std::size_t>(offset), file.text.size());
    // The last line that starts at or before the offset.
    const auto line = std::upper_bound(file.lineStarts.begin(), file.lineStarts.end(), at) - 1;
    location.line = static_cast<int>(line - file.lineStarts.begin()) + 1;
    location.column = static_cast<int>(at - *line) + 1;
    return location;
}

std::string SourceText::TokenAt(const std::string& path, std::int64_t offset) {
    if (offset < 0) {
        return {};
    }
    const std::string& text = Load(path).text;
    const std::size_t start = static_cast<std::size_t>(offset);
    std::size_t end = start;
    while (end < text.size() && !IsSpace(text[end])) {
        ++end;
    }
    return start < end ? text.substr(start, end - start) : std::string();
}
