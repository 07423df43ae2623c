#include "physics/Damping.h"

#include <cmath>

Damping Damping::For(float kept, float pushKept, float dt) {
    if (!(dt > 0.0f)) {
        return {};
    }
    // Double precision for the coefficients only; bodies stay in floats.
    const double steps = 60.0 * static_cast<double>(dt);
    const double r = kept;
    const double pushed = static_cast<double>(pushKept) / 60.0;
    if (r == 1.0) {
        return {1.0f, static_cast<float>(pushed * steps)};
    }
    if (r <= 0.0) {
        // Everything is taken away at once: only this step's push is left.
        return {0.0f, static_cast<float>(pushed)};
    }
    // keep = r^steps; push sums the decayed pushes, pushed × (1 − keep) / (1 − r),
    // written with expm1 so that a drag near zero loses no precision.
    const double x = steps * std::log(r);
    return {static_cast<float>(std::exp(x)), static_cast<float>(pushed * -std::expm1(x) / (1.0 - r))};
}

const Damping& DampingCache::Find(float kept, float pushKept) {
    for (int i = 0; i < size_; ++i) {
        if (entries_[i].kept == kept && entries_[i].pushKept == pushKept) {
            last_ = &entries_[i];
            return last_->damping;
        }
    }
    Entry& entry = entries_[size_ < kSize ? size_++ : next_++ % kSize];
    entry = {kept, pushKept, Damping::For(kept, pushKept, dt_)};
    last_ = &entry;
    return entry.damping;
}
