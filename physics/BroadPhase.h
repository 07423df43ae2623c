#pragma once

#include <cstdint>
#include <utility>
#include <vector>

class Body;

// Finds the pairs of bodies whose shapes can touch, without testing all
// pairs: a uniform grid rebuilt at every step from the bodies' current
// shapes, so that moved, new, removed and resized bodies need no bookkeeping.
//
// The result is a superset of the touching pairs among those that pass the
// layer-mask and immovable-pair checks, and it comes in the order of the
// all-pairs loop (first index ascending, then second index ascending), so
// that a narrow phase run over it builds the same contact array.
class BroadPhase {
public:
    using Pair = std::pair<std::uint32_t, std::uint32_t>;

    // `bodies` in body-list order; pairs are indices into it.
    void FindPairs(const std::vector<Body*>& bodies, std::vector<Pair>& pairs);

    // Bodies tested against every other body instead of through the grid
    // in the last call (huge, non-finite, negative or very large shapes).
    std::uint32_t WideCount() const { return static_cast<std::uint32_t>(wide_.size()); }

private:
    enum class Kind : std::uint8_t {
        Skipped,  // no shape or Position, or no layer: never in a pair
        Grid,     // in the grid cells its bounds cover
        Wide,     // finite bounds, but tested against every body
        Wild,     // bounds cannot be trusted: narrow phase decides alone
    };
    struct Entry {
        double x0, y0, x1, y1;  // inclusive, widened bounds
        std::int32_t cx0, cy0, cx1, cy1;
        std::int32_t layers;
        bool immovable;
        Kind kind;
    };

    void Classify(const std::vector<Body*>& bodies);
    void BuildGrid();
    bool Candidate(const Entry& a, const Entry& b) const;
    static bool BoundsOverlap(const Entry& a, const Entry& b) {
        return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
    }

    struct CellItem {
        std::uint32_t body;
        std::int32_t x;
        std::int32_t y;
    };
    std::size_t Bucket(std::int32_t x, std::int32_t y) const;

    std::vector<Entry> entries_;
    std::vector<std::uint32_t> wide_;  // Wide and Wild entries, ascending
    double inverseCell_ = 1.0;
    std::size_t bucketMask_ = 0;
    std::vector<std::uint32_t> bucketStart_;
    std::vector<CellItem> cellItems_;
    std::vector<std::uint32_t> scratch_;
    std::vector<double> extents_;
};
