#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Decides whether a quantity sampled over a long run (objects alive,
// resident memory) keeps growing, from the peak of each window of frames.
//
// The first `warmup` windows are ignored (caches, allocator pools and the
// sanitizers' quarantine fill there). The tolerance above a level is the
// larger of `absolute` and `relative` times that level. A window fails the
// run when
//  - its peak exceeds the baseline (the highest of the first
//    `baselineWindows` peaks) beyond the tolerance and the peaks rose
//    strictly over it and the two windows before it: still rising after a
//    long run; or
//  - over the whole run so far, split in thirds, the level of each third
//    (its median peak, the lower one of an even count) rose over the one
//    before and the last third's exceeds the first's beyond the tolerance:
//    a leak that grows in steps or slowly.
// One busy window (which falls back) never moves a level, and a level that
// simply holds more (a plateau) stops rising.
class GrowthWatch {
public:
    GrowthWatch(std::string name, double absolute, double relative, int warmup = 2, int baselineWindows = 2)
        : name_(std::move(name)),
          absolute_(absolute),
          relative_(relative),
          warmup_(warmup),
          baselineWindows_(baselineWindows) {}

    void Sample(double value) {
        if (value > current_) {
            current_ = value;
        }
    }
    // Closes the window; false when the quantity keeps growing, with the
    // reason in `why`.
    bool EndWindow(std::string& why);

    double WindowPeak() const { return peaks_.empty() ? 0.0 : peaks_.back(); }
    const std::vector<double>& Peaks() const { return peaks_; }

private:
    double Limit(double level) const;
    bool StillRising(std::string& why) const;
    bool RoseOverTheRun(std::string& why) const;

    std::string name_;
    double absolute_;
    double relative_;
    int warmup_;
    int baselineWindows_;
    double current_ = 0.0;
    double baseline_ = 0.0;
    std::vector<double> peaks_;
};
