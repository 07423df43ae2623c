#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "objects/DataSource.h"

// Data files held in memory under the paths the factory opens, for tools
// and tests that build a data set without touching the disk.
class MemoryDataSource : public DataSource {
public:
    void Set(const std::string& path, std::string_view text);
    // One text under several paths costs its tokens once.
    void Set(const std::string& path, std::shared_ptr<const DataText> text) { files_[path] = std::move(text); }
    void Remove(const std::string& path) { files_.erase(path); }
    void Clear() { files_.clear(); }

    std::shared_ptr<const DataText> Open(const std::string& path) override;

private:
    std::unordered_map<std::string, std::shared_ptr<const DataText>> files_;
};
