#include "FrameTimes.h"

#include <algorithm>
#include <cmath>

std::size_t FrameTimes::Bucket(double seconds) {
    if (!(seconds > kFirst)) {
        return 0;
    }
    const double index = std::ceil(std::log(seconds / kFirst) / std::log(kGrowth));
    return std::min(static_cast<std::size_t>(index), kBuckets - 1);
}

double FrameTimes::UpperBound(std::size_t bucket) { return kFirst * std::pow(kGrowth, static_cast<double>(bucket)); }

void FrameTimes::Add(const std::string& key, double seconds) {
    Series& s = series_[key];
    ++s.counts[Bucket(seconds)];
    ++s.frames;
    s.total += seconds;
    s.worst = std::max(s.worst, seconds);
}

std::map<std::string, FrameTimes::Summary> FrameTimes::Summaries() const {
    std::map<std::string, Summary> result;
    for (const auto& [key, s] : series_) {
        Summary& summary = result[key];
        summary.frames = s.frames;
        summary.mean = s.total / static_cast<double>(s.frames);
        summary.worst = s.worst;
        // The smallest bucket bound with at least 99% of the frames at or below it.
        const std::uint64_t wanted = (s.frames * 99 + 99) / 100;
        std::uint64_t seen = 0;
        for (std::size_t b = 0; b < kBuckets; ++b) {
            seen += s.counts[b];
            if (seen >= wanted) {
                summary.p99 = std::min(UpperBound(b), s.worst);
                break;
            }
        }
    }
    return result;
}
