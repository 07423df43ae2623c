#include "physics/BroadPhase.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "physics/Body.h"
#include "physics/Physics.h"
#include "physics/Position.h"

namespace {

// Beyond this the float tests can overflow (a squared distance of infinity
// against a squared radius of infinity "touches"), so such bodies skip the
// grid and meet every other body in the narrow phase.
constexpr double kLargestTrusted = 1e15;
// Widening of the bounds: far more than the few roundings of the float
// tests (relative), plus what underflow of squared distances can hide.
constexpr double kRelativeMargin = 1e-5;
constexpr double kAbsoluteMargin = 1e-12;
// A body that covers more cells than this is tested against everyone.
constexpr std::int64_t kMaxCellsPerBody = 16;

bool Finite(double v) { return std::isfinite(v); }

}  // namespace

void BroadPhase::Classify(const std::vector<Body*>& bodies) {
    entries_.resize(bodies.size());
    wide_.clear();
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        const Body& body = *bodies[i];
        Entry& e = entries_[i];
        e.layers = body.collisionLayers;
        e.immovable = body.mass == 0.0f;
        e.kind = Kind::Skipped;
        if (!Physics::IsComplete(body) || body.collisionLayers == 0) {
            continue;
        }
        const Vec2 c = body.shape->Centre();
        const Vec2 extent = *body.shape->extent;
        const double hx = extent.x;
        const double hy = body.shape->kind == ShapeCircle ? extent.x : extent.y;
        const double cx = c.x;
        const double cy = c.y;
        // A kind of its own is left to the shapes' own dispatch.
        const bool known = body.shape->kind == ShapeRect || body.shape->kind == ShapeCircle;
        if (!known || !Finite(cx) || !Finite(cy) || !Finite(hx) || !Finite(hy) || !(hx >= 0.0) || !(hy >= 0.0) ||
            std::fabs(cx) + hx > kLargestTrusted || std::fabs(cy) + hy > kLargestTrusted) {
            e.kind = Kind::Wild;
            continue;
        }
        const double mx = (std::fabs(cx) + hx) * kRelativeMargin + kAbsoluteMargin;
        const double my = (std::fabs(cy) + hy) * kRelativeMargin + kAbsoluteMargin;
        e.x0 = cx - hx - mx;
        e.x1 = cx + hx + mx;
        e.y0 = cy - hy - my;
        e.y1 = cy + hy + my;
        e.kind = Kind::Grid;
    }
}

std::size_t BroadPhase::Bucket(std::int32_t x, std::int32_t y) const {
    const std::uint64_t key =
        (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) | static_cast<std::uint32_t>(y);
    // A full 64-bit mix: neighbouring cells must not share buckets.
    std::uint64_t h = key ^ (key >> 33);
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ull;
    h ^= h >> 33;
    return static_cast<std::size_t>(h) & bucketMask_;
}

void BroadPhase::BuildGrid() {
    // Cells twice the median body extent, hashed into buckets: the grid has
    // no bounds, so far-flung bodies cost nothing and coarsen nothing.
    extents_.clear();
    for (const Entry& e : entries_) {
        if (e.kind == Kind::Grid) {
            extents_.push_back(std::max(e.x1 - e.x0, e.y1 - e.y0));
        }
    }
    double cell = 1.0;
    if (!extents_.empty()) {
        const std::size_t middle = extents_.size() / 2;
        std::nth_element(extents_.begin(), extents_.begin() + static_cast<std::ptrdiff_t>(middle), extents_.end());
        cell = std::max(2.0 * extents_[middle], 1e-6);
    }
    inverseCell_ = 1.0 / cell;
    // Clamped in double before the conversion: cell coordinates of far
    // bodies saturate (a monotone mapping, so no pair is lost).
    constexpr double kLimit = 1 << 30;
    auto coordinate = [&](double v) {
        return static_cast<std::int32_t>(std::floor(std::clamp(v * inverseCell_, -kLimit, kLimit)));
    };

    std::size_t total = 0;
    for (Entry& e : entries_) {
        if (e.kind != Kind::Grid) {
            continue;
        }
        e.cx0 = coordinate(e.x0);
        e.cx1 = coordinate(e.x1);
        e.cy0 = coordinate(e.y0);
        e.cy1 = coordinate(e.y1);
        const std::int64_t covered =
            (static_cast<std::int64_t>(e.cx1) - e.cx0 + 1) * (static_cast<std::int64_t>(e.cy1) - e.cy0 + 1);
        if (covered > kMaxCellsPerBody) {
            e.kind = Kind::Wide;
            continue;
        }
        total += static_cast<std::size_t>(covered);
    }
    const std::size_t buckets = std::bit_ceil(std::max<std::size_t>(2 * total, 16));
    bucketMask_ = buckets - 1;
    bucketStart_.assign(buckets + 1, 0);
    for (const Entry& e : entries_) {
        if (e.kind != Kind::Grid) {
            continue;
        }
        for (std::int32_t y = e.cy0; y <= e.cy1; ++y) {
            for (std::int32_t x = e.cx0; x <= e.cx1; ++x) {
                ++bucketStart_[Bucket(x, y) + 1];
            }
        }
    }
    for (std::size_t c = 0; c < buckets; ++c) {
        bucketStart_[c + 1] += bucketStart_[c];
    }
    cellItems_.resize(total);
    scratch_.assign(bucketStart_.begin(), bucketStart_.end() - 1);
    // Filled in index order: every bucket lists its bodies ascending.
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        if (e.kind != Kind::Grid) {
            continue;
        }
        for (std::int32_t y = e.cy0; y <= e.cy1; ++y) {
            for (std::int32_t x = e.cx0; x <= e.cx1; ++x) {
                cellItems_[scratch_[Bucket(x, y)]++] = {static_cast<std::uint32_t>(i), x, y};
            }
        }
    }
    wide_.clear();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].kind == Kind::Wide || entries_[i].kind == Kind::Wild) {
            wide_.push_back(static_cast<std::uint32_t>(i));
        }
    }
}

bool BroadPhase::Candidate(const Entry& a, const Entry& b) const {
    if ((a.layers & b.layers) == 0 || (a.immovable && b.immovable)) {
        return false;
    }
    if (a.kind == Kind::Wild || b.kind == Kind::Wild) {
        return true;
    }
    return BoundsOverlap(a, b);
}

void BroadPhase::FindPairs(const std::vector<Body*>& bodies, std::vector<Pair>& pairs) {
    pairs.clear();
    Classify(bodies);
    BuildGrid();
    const auto count = static_cast<std::uint32_t>(entries_.size());
    std::vector<std::uint32_t>& found = scratch_;
    for (std::uint32_t i = 0; i < count; ++i) {
        const Entry& a = entries_[i];
        if (a.kind == Kind::Skipped) {
            continue;
        }
        if (a.kind != Kind::Grid) {
            // Against every later body, in order.
            for (std::uint32_t j = i + 1; j < count; ++j) {
                const Entry& b = entries_[j];
                if (b.kind != Kind::Skipped && Candidate(a, b)) {
                    pairs.emplace_back(i, j);
                }
            }
            continue;
        }
        found.clear();
        for (std::int32_t y = a.cy0; y <= a.cy1; ++y) {
            for (std::int32_t x = a.cx0; x <= a.cx1; ++x) {
                const std::size_t bucket = Bucket(x, y);
                // Buckets list bodies ascending: skip to the ones after A.
                const CellItem* first = cellItems_.data() + bucketStart_[bucket];
                const CellItem* last = cellItems_.data() + bucketStart_[bucket + 1];
                first = std::upper_bound(first, last, i,
                                         [](std::uint32_t value, const CellItem& item) { return value < item.body; });
                for (; first != last; ++first) {
                    // A bucket may also hold other cells that hash alike.
                    if (first->x != x || first->y != y) {
                        continue;
                    }
                    const std::uint32_t j = first->body;
                    const Entry& b = entries_[j];
                    // Each pair once: in the cell of its common lower corner.
                    if (std::max(a.cx0, b.cx0) != x || std::max(a.cy0, b.cy0) != y) {
                        continue;
                    }
                    if (Candidate(a, b)) {
                        found.push_back(j);
                    }
                }
            }
        }
        for (const std::uint32_t j : wide_) {
            if (j > i && Candidate(a, entries_[j])) {
                found.push_back(j);
            }
        }
        std::sort(found.begin(), found.end());
        for (const std::uint32_t j : found) {
            pairs.emplace_back(i, j);
        }
    }
}
