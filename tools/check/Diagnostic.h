#pragma once

#include <compare>
#include <string>

// One finding: where (file relative to the data root, 1-based line and
// column) and what. Ordered by file, then position, then text, which is the
// order the checker prints in.
struct Diagnostic {
    std::string file;
    int line = 1;
    int column = 1;
    std::string message;

    auto operator<=>(const Diagnostic&) const = default;

    std::string Format() const {
        return file + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + message;
    }
};
