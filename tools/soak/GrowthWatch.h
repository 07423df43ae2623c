#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Decides whether a quantity sampled over a long run (objects alive,
// resident memory) keeps growing, from the peak of each window of frames.
//
// The first `warmup` windows are ignored (caches, allocator pools and the
// sanitizers' quarantine fill there). The next `baselineWindows` peaks give
// the baseline. A later window fails the run when its peak exceeds the
// baseline by more than the tolerance (the larger of `absolute` and
// `relative` times the baseline) and the peaks rose strictly over it and
// the two windows before it: still rising after a long run, not one busy
// window (which falls back) nor a level that simply holds more (a plateau).
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
    double Baseline() const { return baseline_; }
    const std::vector<double>& Peaks() const { return peaks_; }

private:
    std::string name_;
    double absolute_;
    double relative_;
    int warmup_;
    int baselineWindows_;
    double current_ = 0.0;
    double baseline_ = 0.0;
    std::vector<double> peaks_;
};
