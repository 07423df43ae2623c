#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What the system says about the file at a path: enough to tell that a file
// read earlier is still the same file with the same bytes (its identity,
// size, modification time and change time). The modification time can be
// put back (cp -p, touch -r); the change time cannot, and every write or
// rename moves it.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;  // the file's number on its device
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;  // since 1970, as the system clock counts
    std::int64_t modifiedNanoseconds = 0;
    std::int64_t changedSeconds = 0;
    std::int64_t changedNanoseconds = 0;

    // The stamp of the regular file at `path` (symbolic links followed);
    // nothing for a missing path, a directory, a device or a pipe.
    static std::optional<FileStamp> Of(const std::string& path);

    bool operator==(const FileStamp&) const = default;
};
