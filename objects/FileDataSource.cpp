#include "objects/FileDataSource.h"

#include <chrono>
#include <cstdint>
#include <fstream>

namespace {

// Texts kept at most: a generated level may be large, the archetypes that
// are worth keeping are small.
constexpr std::size_t kMaxKeptFileBytes = std::size_t{1} << 20;
constexpr std::size_t kMaxKeptBytes = std::size_t{32} << 20;

// A file is only known to be unchanged by its stamp once any later write
// must give it a later modification time: file systems and stat keep that
// time coarsely (to the clock tick, or the second, or two seconds), so a
// file written that recently is read again on every Open until it is older.
constexpr std::chrono::seconds kSettleTime{2};

bool Settled(const FileStamp& stamp, std::chrono::system_clock::time_point readAt) {
    using namespace std::chrono;
    const nanoseconds now = duration_cast<nanoseconds>(readAt.time_since_epoch());
    // Compared as seconds and nanoseconds: a stamp far in the future or past
    // must not overflow a duration.
    const std::int64_t settledSeconds = duration_cast<seconds>(now - kSettleTime).count();
    const std::int64_t settledNanoseconds = (now - kSettleTime - seconds(settledSeconds)).count();
    return stamp.modifiedSeconds < settledSeconds ||
           (stamp.modifiedSeconds == settledSeconds && stamp.modifiedNanoseconds < settledNanoseconds);
}

bool ReadFile(const std::string& path, std::int64_t expectedSize, std::string& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file.good()) {
        return false;
    }
    if (expectedSize > 0 && static_cast<std::uint64_t>(expectedSize) <= bytes.max_size()) {
        bytes.reserve(static_cast<std::size_t>(expectedSize));
    }
    char buffer[1 << 14];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(file.gcount()));
    }
    return !file.bad();
}

}  // namespace

std::shared_ptr<const DataText> FileDataSource::Open(const std::string& path) {
    const std::optional<FileStamp> stamp = FileStamp::Of(path);
    if (!stamp) {
        Drop(path);
        return nullptr;
    }
    auto it = kept_.find(path);
    if (it != kept_.end()) {
        if (it->second.stamp == *stamp) {
            return it->second.text;
        }
        Drop(path);
    }
    // Taken before reading: whatever is read is at least this recent.
    const auto readAt = std::chrono::system_clock::now();
    std::string bytes;
    if (!ReadFile(path, stamp->size, bytes)) {
        return nullptr;
    }
    ++fileReads_;
    auto text = std::make_shared<const DataText>(std::move(bytes));
    if (Settled(*stamp, readAt)) {
        Keep(path, *stamp, text);
    }
    return text;
}

void FileDataSource::Forget() {
    kept_.clear();
    keptBytes_ = 0;
}

void FileDataSource::Drop(const std::string& path) {
    auto it = kept_.find(path);
    if (it != kept_.end()) {
        keptBytes_ -= it->second.text->Footprint();
        kept_.erase(it);
    }
}

void FileDataSource::Keep(const std::string& path, const FileStamp& stamp,
                          const std::shared_ptr<const DataText>& text) {
    const std::size_t bytes = text->Footprint();
    if (bytes > kMaxKeptFileBytes) {
        return;
    }
    // Past the budget everything kept goes; what is still used is read once
    // more and kept again.
    if (keptBytes_ + bytes > kMaxKeptBytes) {
        Forget();
    }
    kept_[path] = {stamp, text};
    keptBytes_ += bytes;
}
