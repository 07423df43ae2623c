#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>

// Wall time of frames grouped by what was on screen (the live levels), kept
// in fixed logarithmic buckets so that a long run holds no growing sample
// list (the soak watches its own resident memory).
class FrameTimes {
public:
    void Add(const std::string& key, double seconds);

    struct Summary {
        std::uint64_t frames = 0;
        double mean = 0.0;
        double p99 = 0.0;  // upper bound of the bucket holding the 99th percentile
        double worst = 0.0;
    };
    std::map<std::string, Summary> Summaries() const;

private:
    // Buckets 2% wide from one microsecond up to about 100 seconds.
    static constexpr std::size_t kBuckets = 940;
    static constexpr double kGrowth = 1.02;
    static constexpr double kFirst = 1e-6;

    struct Series {
        std::array<std::uint32_t, kBuckets> counts{};
        std::uint64_t frames = 0;
        double total = 0.0;
        double worst = 0.0;
    };
    static std::size_t Bucket(double seconds);
    static double UpperBound(std::size_t bucket);

    std::map<std::string, Series> series_;
};
