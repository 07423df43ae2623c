#pragma once

#include <cstdint>
#include <map>
#include <string>

// The bytes of the data files a check has looked at, kept so that the byte
// offsets the readers report can be shown as line and column and the token
// at an offset can be quoted.
class SourceText {
public:
    struct Location {
        int line = 1;
        int column = 1;
    };

    // 1-based line and column of a byte offset; 1:1 for a negative offset or
    // a file that cannot be read.
    Location Locate(const std::string& path, std::int64_t offset);
    // The whitespace-delimited token that starts at `offset` ("" if none).
    std::string TokenAt(const std::string& path, std::int64_t offset);

private:
    const std::string& Text(const std::string& path);

    std::map<std::string, std::string> texts_;
};
