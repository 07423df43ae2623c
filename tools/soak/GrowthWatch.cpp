#include "GrowthWatch.h"

#include <algorithm>
#include <cstdio>

bool GrowthWatch::EndWindow(std::string& why) {
    peaks_.push_back(current_);
    current_ = 0.0;
    const int n = static_cast<int>(peaks_.size());
    if (n <= warmup_) {
        return true;
    }
    if (n <= warmup_ + baselineWindows_) {
        baseline_ = std::max(baseline_, peaks_.back());
        return true;
    }
    const double limit = baseline_ + std::max(absolute_, relative_ * baseline_);
    const double last = peaks_[n - 1];
    const bool rising = n >= warmup_ + baselineWindows_ + 3 && peaks_[n - 3] < peaks_[n - 2] && peaks_[n - 2] < last;
    if (last > limit && rising) {
        char text[256];
        std::snprintf(text, sizeof text, "%s keeps growing: window peaks %.0f, %.0f, %.0f against a baseline of %.0f",
                      name_.c_str(), peaks_[n - 3], peaks_[n - 2], last, baseline_);
        why = text;
        return false;
    }
    return true;
}
