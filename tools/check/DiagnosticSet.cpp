#include "tools/check/DiagnosticSet.h"

#include <algorithm>
#include <functional>

namespace {
std::uint64_t HashOf(const Diagnostic& diagnostic) {
    const std::uint64_t position = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(diagnostic.line)) << 32) |
                                   static_cast<std::uint32_t>(diagnostic.column);
    return std::hash<std::string>{}(diagnostic.message) ^ (position * 0x9E3779B97F4A7C15ull);
}
}  // namespace

void DiagnosticSet::Compact(File& file) {
    std::sort(file.beyond.begin(), file.beyond.end());
    file.beyond.erase(std::unique(file.beyond.begin(), file.beyond.end()), file.beyond.end());
    file.compacted = file.beyond.size();
}

void DiagnosticSet::Insert(Diagnostic diagnostic) {
    File& file = files_[diagnostic.file];
    if (cap_ == 0 || file.kept.size() < cap_) {
        file.kept.insert(std::move(diagnostic));
        return;
    }
    // Once a finding is past the cap it stays past it: the kept ones only
    // ever get smaller.
    if (*file.kept.rbegin() < diagnostic) {
        file.beyond.push_back(HashOf(diagnostic));
    } else if (file.kept.insert(std::move(diagnostic)).second) {
        const auto last = std::prev(file.kept.end());
        file.beyond.push_back(HashOf(*last));
        file.kept.erase(last);
    }
    if (file.beyond.size() >= 2 * file.compacted + 4096) {
        Compact(file);
    }
}

std::vector<std::string> DiagnosticSet::Lines() {
    std::vector<std::string> lines;
    for (auto& [name, file] : files_) {
        for (const Diagnostic& diagnostic : file.kept) {
            lines.push_back(diagnostic.Format());
        }
        Compact(file);
        if (!file.beyond.empty()) {
            const std::size_t more = file.beyond.size();
            lines.push_back(name + ": " + std::to_string(more) + (more == 1 ? " more problem" : " more problems") +
                            " in this file");
        }
    }
    return lines;
}

std::size_t DiagnosticSet::Count() {
    std::size_t count = 0;
    for (auto& [name, file] : files_) {
        Compact(file);
        count += file.kept.size() + file.beyond.size();
    }
    return count;
}
