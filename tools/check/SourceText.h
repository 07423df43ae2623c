#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The bytes of the data files a check has looked at, kept so that the byte
// offsets the readers report can be shown as line and column and the token
// at an offset can be quoted.
class SourceText {
public:
    struct Location {
        int line = 1;
        int column = 1;
    };

    // 1-based line and column of a byte offset, counted in bytes (a tab or a
    // carriage return is one column); 1:1 for a negative offset or a file
    // that cannot be read, the end of the file for an offset past it.
    Location Locate(const std::string& path, std::int64_t offset);
    // The whitespace-delimited token that starts at `offset` ("" if none).
    std::string TokenAt(const std::string& path, std::int64_t offset);

private:
    struct File {
        std::string text;
        // The offset at which each line starts, built on the first Locate:
        // a file with many findings is not walked once per finding.
        std::vector<std::size_t> lineStarts;
    };

    File& Load(const std::string& path);

    std::map<std::string, File> files_;
};
