#include "objects/MemoryDataSource.h"

void MemoryDataSource::Set(const std::string& path, std::string_view text) {
    files_[path] = std::make_shared<const DataText>(std::string(text));
}

std::shared_ptr<const DataText> MemoryDataSource::Open(const std::string& path) {
    auto it = files_.find(path);
    return it == files_.end() ? nullptr : it->second;
}
