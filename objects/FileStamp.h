#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What one stat of a path says about the file there: enough to tell that a
// file read earlier is still the same file with the same bytes (its
// identity, size and modification time).
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;  // 0 where the system has no file numbers
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    // The stamp of the regular file at `path` (symbolic links followed);
    // nothing for a missing path, a directory, a device or a pipe.
    static std::optional<FileStamp> Of(const std::string& path);

    bool operator==(const FileStamp&) const = default;
};
