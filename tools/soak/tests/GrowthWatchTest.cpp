#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "GrowthWatch.h"

namespace {
// Feeds one peak per window; returns the index of the first window that
// fails the run, or -1.
int FirstFailure(GrowthWatch& watch, const std::vector<double>& peaks, std::string& why) {
    for (std::size_t i = 0; i < peaks.size(); ++i) {
        watch.Sample(peaks[i] / 2.0);  // a lower sample inside the window: only the peak counts
        watch.Sample(peaks[i]);
        if (!watch.EndWindow(why)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}
}  // namespace

// What a soak run must tell apart: a leak that keeps rising fails it, once
// it is past the tolerance and has risen over three windows or over the
// thirds of the run; a level that holds more (a plateau), one busy window,
// a rise during the warm-up and a rise within the tolerance do not.
TEST(GrowthWatchTest, OnlyAQuantityStillRisingPastTheToleranceFailsTheRun) {
    std::string why;
    // 20 more objects every second window: never three rising windows.
    std::vector<double> steps(400);
    std::generate(steps.begin(), steps.end(), [i = 0]() mutable { return 100.0 + 20.0 * (i++ / 2); });
    GrowthWatch stepped("objects", 50.0, 0.25);
    EXPECT_EQ(FirstFailure(stepped, steps, why), 9);
    EXPECT_EQ(why, "objects keeps growing: 120 in the first third of the run, 140 in the middle, 180 in the last");

    GrowthWatch leak("objects", 10.0, 0.2);
    EXPECT_EQ(FirstFailure(leak, {5, 900, 100, 100, 110, 125, 140, 160}, why), 6);
    EXPECT_EQ(why, "objects keeps growing: window peaks 110, 125, 140 against a baseline of 100");

    GrowthWatch plateau("objects", 10.0, 0.2);
    EXPECT_EQ(FirstFailure(plateau, {5, 900, 100, 100, 300, 300, 300, 300, 300}, why), -1);

    GrowthWatch spike("objects", 10.0, 0.2);
    EXPECT_EQ(FirstFailure(spike, {100, 100, 100, 100, 110, 400, 100, 100}, why), -1);

    GrowthWatch slow("resident MB", 50.0, 0.0);
    EXPECT_EQ(FirstFailure(slow, {100, 100, 100, 100, 110, 120, 130, 140, 149}, why), -1);
    EXPECT_EQ(FirstFailure(slow, {160}, why), 0);
}
