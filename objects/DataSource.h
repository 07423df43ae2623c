#pragma once

#include <memory>
#include <string>

#include "objects/DataText.h"

// Where the factory's archetype and level files come from: the disk
// (FileDataSource), or texts held in memory (MemoryDataSource).
class DataSource {
public:
    virtual ~DataSource() = default;

    // The text of the data file at `path` (as the factory names it, data
    // root included); null when there is no such file to read.
    virtual std::shared_ptr<const DataText> Open(const std::string& path) = 0;
};
