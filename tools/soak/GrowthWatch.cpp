#include "GrowthWatch.h"

#include <algorithm>
#include <cstdio>

namespace {
// The median of the peaks in [first, last), the lower one of an even count:
// a single busy window among two or more cannot move it.
double Level(std::vector<double>::const_iterator first, std::vector<double>::const_iterator last) {
    std::vector<double> peaks(first, last);
    const auto middle = peaks.begin() + static_cast<std::ptrdiff_t>((peaks.size() - 1) / 2);
    std::nth_element(peaks.begin(), middle, peaks.end());
    return *middle;
}
}  // namespace

double GrowthWatch::Limit(double level) const { return level + std::max(absolute_, relative_ * level); }

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
    return !StillRising(why) && !RoseOverTheRun(why);
}

bool GrowthWatch::StillRising(std::string& why) const {
    const std::size_t n = peaks_.size();
    const double last = peaks_[n - 1];
    if (static_cast<int>(n) < warmup_ + baselineWindows_ + 3 || last <= Limit(baseline_) ||
        !(peaks_[n - 3] < peaks_[n - 2] && peaks_[n - 2] < last)) {
        return false;
    }
    char text[256];
    std::snprintf(text, sizeof text, "%s keeps growing: window peaks %.0f, %.0f, %.0f against a baseline of %.0f",
                  name_.c_str(), peaks_[n - 3], peaks_[n - 2], last, baseline_);
    why = text;
    return true;
}

bool GrowthWatch::RoseOverTheRun(std::string& why) const {
    const auto begin = peaks_.begin() + warmup_;
    const std::ptrdiff_t third = (peaks_.end() - begin) / 3;
    if (third < 2) {
        return false;
    }
    const double first = Level(begin, begin + third);
    const double middle = Level(begin + third, peaks_.end() - third);
    const double last = Level(peaks_.end() - third, peaks_.end());
    if (!(first < middle && middle < last && last > Limit(first))) {
        return false;
    }
    char text[256];
    std::snprintf(text, sizeof text,
                  "%s keeps growing: %.0f in the first third of the run, %.0f in the middle, %.0f in the last",
                  name_.c_str(), first, middle, last);
    why = text;
    return true;
}
