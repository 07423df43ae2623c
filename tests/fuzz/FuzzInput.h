#pragma once

#include <string_view>
#include <vector>

// A fuzz input as up to three parts separated by NUL bytes (archetype,
// level, commands); the last part runs to the end of the input.
inline std::vector<std::string_view> SplitFuzzInput(std::string_view input) {
    std::vector<std::string_view> parts;
    while (parts.size() < 2) {
        const std::size_t nul = input.find('\0');
        if (nul == std::string_view::npos) {
            break;
        }
        parts.push_back(input.substr(0, nul));
        input.remove_prefix(nul + 1);
    }
    parts.push_back(input);
    return parts;
}
