#include "core/DataLocation.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {
const char* const kHint = "; start the game with --data DIR, DIR being the folder that holds ";
}  // namespace

DataLocation::DataLocation(const std::optional<std::string>& chosen, const std::string& workingDirectory,
                           const std::string& executable) {
    const fs::path here(workingDirectory);
    if (chosen) {
        chosen_ = true;
        const fs::path folder(*chosen);
        Add((folder.is_absolute() || here.empty() ? folder : here / folder).string());
        return;
    }
    if (!here.empty()) {
        Add((here / "Data").string());
    }
    if (!executable.empty()) {
        const fs::path directory = fs::path(executable).parent_path();
        Add((directory / "Data").string());
        Add((directory / ".." / "share" / "velmor" / "Data").string());
    }
}

void DataLocation::Add(const std::string& folder) {
    std::string normal = fs::path(folder).lexically_normal().string();
    // No trailing separator: the message lists folders the way a shell does.
    while (normal.size() > 1 && (normal.back() == '/' || normal.back() == '\\') && normal[normal.size() - 2] != ':') {
        normal.pop_back();
    }
    for (const std::string& known : candidates_) {
        if (known == normal) {
            return;
        }
    }
    candidates_.push_back(std::move(normal));
}

DataLocation::Result DataLocation::Find() const {
    Result result;
    for (const std::string& folder : candidates_) {
        const fs::path level = fs::path(folder) / kStartLevel;
        std::error_code error;
        // A broken link counts as there: it cannot be read.
        if (!fs::exists(fs::symlink_status(level, error))) {
            continue;
        }
        // The first folder that has the level is the data, readable or not:
        // falling back to another copy would hide the fault.
        const fs::file_status status = fs::status(level, error);
        if (fs::exists(status) && !fs::is_regular_file(status)) {
            result.error =
                "velmor: cannot read the start level " + level.string() + ": it is not a file" + kHint + kStartLevel;
            return result;
        }
        errno = 0;
        if (FILE* file = std::fopen(level.string().c_str(), "rb")) {
            std::fclose(file);
        } else {
            const std::string reason = errno != 0 ? std::strerror(errno) : "cannot be opened";
            result.error =
                "velmor: cannot read the start level " + level.string() + ": " + reason + kHint + kStartLevel;
            return result;
        }
        result.folder = folder;
        const char last = result.folder.back();
        if (last != '/' && last != '\\') {
            result.folder += static_cast<char>(fs::path::preferred_separator);
        }
        return result;
    }
    std::string tried;
    for (const std::string& folder : candidates_) {
        tried += (tried.empty() ? "" : ", ") + folder;
    }
    if (tried.empty()) {
        tried = "(no folder: neither the working directory nor the program's place is known)";
    }
    result.error = std::string("velmor: cannot find the game data: ") + (chosen_ ? "the folder " : "") + tried +
                   (chosen_ || candidates_.size() == 1 ? " holds no " : " hold no ") + kStartLevel + kHint +
                   kStartLevel;
    return result;
}
