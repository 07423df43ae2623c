#include "physics/BroadPhase.h"

#include <algorithm>
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

void BroadPhase::BuildGrid() {
    // Cell size: twice the mean extent of the bodies, so that a typical body
    // covers one to four cells.
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;
    double extentSum = 0.0;
    std::size_t gridCount = 0;
    for (const Entry& e : entries_) {
        if (e.kind != Kind::Grid) {
            continue;
        }
        if (gridCount == 0) {
            minX = e.x0;
            minY = e.y0;
            maxX = e.x1;
            maxY = e.y1;
        } else {
            minX = std::min(minX, e.x0);
            minY = std::min(minY, e.y0);
            maxX = std::max(maxX, e.x1);
            maxY = std::max(maxY, e.y1);
        }
        extentSum += std::max(e.x1 - e.x0, e.y1 - e.y0);
        ++gridCount;
    }
    originX_ = minX;
    originY_ = minY;
    const double width = std::max(maxX - minX, 1e-9);
    const double height = std::max(maxY - minY, 1e-9);
    double cell = gridCount == 0 ? 1.0 : std::max(2.0 * extentSum / static_cast<double>(gridCount), 1e-9);
    // Keep the cell count near the body count, whatever the spread.
    const double maxCells = 4.0 * static_cast<double>(gridCount) + 64.0;
    while ((width / cell + 1.0) * (height / cell + 1.0) > maxCells) {
        cell *= 2.0;
    }
    inverseCell_ = 1.0 / cell;
    columns_ = static_cast<std::int32_t>(width * inverseCell_) + 1;
    rows_ = static_cast<std::int32_t>(height * inverseCell_) + 1;

    auto column = [&](double x) {
        const auto v = static_cast<std::int32_t>((x - originX_) * inverseCell_);
        return std::clamp(v, 0, columns_ - 1);
    };
    auto row = [&](double y) {
        const auto v = static_cast<std::int32_t>((y - originY_) * inverseCell_);
        return std::clamp(v, 0, rows_ - 1);
    };

    const std::size_t cells = static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_);
    cellStart_.assign(cells + 1, 0);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        Entry& e = entries_[i];
        if (e.kind != Kind::Grid) {
            continue;
        }
        e.cx0 = column(e.x0);
        e.cx1 = column(e.x1);
        e.cy0 = row(e.y0);
        e.cy1 = row(e.y1);
        const std::int64_t covered =
            static_cast<std::int64_t>(e.cx1 - e.cx0 + 1) * static_cast<std::int64_t>(e.cy1 - e.cy0 + 1);
        if (covered > kMaxCellsPerBody) {
            e.kind = Kind::Wide;
            continue;
        }
        for (std::int32_t y = e.cy0; y <= e.cy1; ++y) {
            for (std::int32_t x = e.cx0; x <= e.cx1; ++x) {
                ++cellStart_[static_cast<std::size_t>(y) * columns_ + x + 1];
            }
        }
    }
    for (std::size_t c = 0; c < cells; ++c) {
        cellStart_[c + 1] += cellStart_[c];
    }
    cellItems_.resize(cellStart_[cells]);
    scratch_.assign(cellStart_.begin(), cellStart_.end() - 1);
    // Filled in index order: every cell lists its bodies ascending.
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        if (e.kind != Kind::Grid) {
            continue;
        }
        for (std::int32_t y = e.cy0; y <= e.cy1; ++y) {
            for (std::int32_t x = e.cx0; x <= e.cx1; ++x) {
                cellItems_[scratch_[static_cast<std::size_t>(y) * columns_ + x]++] = static_cast<std::uint32_t>(i);
            }
        }
    }
    // Bodies that became wide join the list of wide ones, kept ascending.
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
                const std::size_t cell = static_cast<std::size_t>(y) * columns_ + x;
                const std::uint32_t end = cellStart_[cell + 1];
                // Cells list bodies ascending: skip to the ones after A.
                const std::uint32_t* first = cellItems_.data() + cellStart_[cell];
                const std::uint32_t* last = cellItems_.data() + end;
                first = std::upper_bound(first, last, i);
                for (; first != last; ++first) {
                    const std::uint32_t j = *first;
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
