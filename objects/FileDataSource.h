#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>

#include "objects/DataSource.h"
#include "objects/FileStamp.h"

// The data files on disk. The text of a file is kept while the file stays
// the same, so that the archetype behind thousands of objects is read once;
// every Open still looks at the file (one stat), and a file that was edited,
// replaced or removed since is read again or reported missing.
class FileDataSource : public DataSource {
public:
    std::shared_ptr<const DataText> Open(const std::string& path) override;

    // How many times a file was actually read rather than reused.
    std::size_t FileReads() const { return fileReads_; }
    void Forget();

private:
    struct Kept {
        FileStamp stamp;
        std::shared_ptr<const DataText> text;
    };

    void Drop(const std::string& path);
    void Keep(const std::string& path, const FileStamp& stamp, const std::shared_ptr<const DataText>& text);

    std::unordered_map<std::string, Kept> kept_;
    std::size_t keptBytes_ = 0;
    std::size_t fileReads_ = 0;
};
