#include "objects/FileStamp.h"

#include <sys/stat.h>
#include <sys/types.h>

std::optional<FileStamp> FileStamp::Of(const std::string& path) {
    FileStamp stamp;
#ifdef _WIN32
    // Whole seconds and no file numbers here; the drive still tells files
    // apart across drives.
    struct _stat64 info;
    if (_stat64(path.c_str(), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) {
        return std::nullopt;
    }
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.modifiedSeconds = static_cast<std::int64_t>(info.st_mtime);
#else
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.modifiedSeconds = static_cast<std::int64_t>(info.st_mtim.tv_sec);
    stamp.modifiedNanoseconds = static_cast<std::int64_t>(info.st_mtim.tv_nsec);
#endif
    stamp.size = static_cast<std::int64_t>(info.st_size);
    return stamp;
}
