#include "objects/FileStamp.h"

#ifdef _WIN32
// The change time is only in the file's basic information, which needs a
// handle; the handle gives the file number and finer times too.
#include "core/WindowsApi.h"
#else
#include <sys/stat.h>
#include <sys/types.h>
#endif

#ifdef _WIN32
namespace {
// 100-nanosecond ticks since 1601 as seconds and nanoseconds since 1970.
void FromTicks(std::int64_t ticks, std::int64_t& seconds, std::int64_t& nanoseconds) {
    constexpr std::int64_t kTicksPerSecond = 10'000'000;
    constexpr std::int64_t kTicksFrom1601To1970 = 116'444'736'000'000'000;
    const std::int64_t sinceEpoch = ticks - kTicksFrom1601To1970;
    seconds = sinceEpoch / kTicksPerSecond;
    std::int64_t rest = sinceEpoch % kTicksPerSecond;
    if (rest < 0) {
        rest += kTicksPerSecond;
        --seconds;
    }
    nanoseconds = rest * 100;
}

std::int64_t Ticks(const FILETIME& time) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}
}  // namespace

std::optional<FileStamp> FileStamp::Of(const std::string& path) {
    // Without FILE_FLAG_BACKUP_SEMANTICS a directory does not open; the
    // sharing lets editors write and rename the file meanwhile.
    HANDLE file =
        CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO basic{};
    const bool known = GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
                       GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic);
    CloseHandle(file);
    if (!known || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    FileStamp stamp;
    stamp.device = info.dwVolumeSerialNumber;
    stamp.inode = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp.size = static_cast<std::int64_t>((static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    FromTicks(Ticks(info.ftLastWriteTime), stamp.modifiedSeconds, stamp.modifiedNanoseconds);
    FromTicks(basic.ChangeTime.QuadPart, stamp.changedSeconds, stamp.changedNanoseconds);
    return stamp;
}
#else
std::optional<FileStamp> FileStamp::Of(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    FileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.size = static_cast<std::int64_t>(info.st_size);
    stamp.modifiedSeconds = static_cast<std::int64_t>(info.st_mtim.tv_sec);
    stamp.modifiedNanoseconds = static_cast<std::int64_t>(info.st_mtim.tv_nsec);
    stamp.changedSeconds = static_cast<std::int64_t>(info.st_ctim.tv_sec);
    stamp.changedNanoseconds = static_cast<std::int64_t>(info.st_ctim.tv_nsec);
    return stamp;
}
#endif
