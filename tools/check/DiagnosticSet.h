#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/check/Diagnostic.h"

// The distinct findings of a check, per file. With a cap, a file keeps only
// its first `cap` findings in print order and counts the others, so that a
// file full of noise costs a few bytes per finding rather than its message.
class DiagnosticSet {
public:
    // 0 keeps every finding.
    explicit DiagnosticSet(std::size_t capPerFile) : cap_(capPerFile) {}

    void Insert(Diagnostic diagnostic);

    // The kept findings in order, each capped file followed by the line
    // "<file>: N more problems in this file".
    std::vector<std::string> Lines();
    // Every distinct finding, kept or counted.
    std::size_t Count();

private:
    struct File {
        std::set<Diagnostic> kept;
        // Hashes of the findings past the cap, sorted and unique up to
        // `compacted`; a file read once per level repeats its findings.
        std::vector<std::uint64_t> beyond;
        std::size_t compacted = 0;
    };

    static void Compact(File& file);

    std::size_t cap_;
    std::map<std::string, File> files_;
};
