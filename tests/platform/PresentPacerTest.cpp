// Present pacing where the swap returns at once, on a simulated clock: the
// sleeps it asks for, never a timed run.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/sdl/PresentPacer.h"

namespace {
using Nanoseconds = PresentPacer::Nanoseconds;
constexpr Nanoseconds kMs = 1000000;
constexpr Nanoseconds kRefresh = 16666666;  // 60 Hz

class Pacing : public ::testing::Test {
protected:
    // A frame that takes `work` before its swap, which takes `swap`; returns
    // when Present returns.
    Nanoseconds Frame(Nanoseconds work, Nanoseconds swap = kMs / 2) {
        clock += work;
        pacer.BeforeSwap();
        clock += swap;
        pacer.AfterSwap(kRefresh);
        return clock;
    }

    Nanoseconds clock = 1000 * kMs;
    int clockReads = 0;
    std::vector<Nanoseconds> sleeps;
    PresentPacer pacer{[this] {
                           ++clockReads;
                           return clock;
                       },
                       [this](Nanoseconds deadline) {
                           sleeps.push_back(deadline);
                           clock = std::max(clock, deadline);
                       }};
};
}  // namespace

TEST_F(Pacing, QuickFramesArePresentedOneRefreshApartWithoutDriftBySleepingNotSpinning) {
    const Nanoseconds first = Frame(3 * kMs);
    for (int i = 1; i <= 600; ++i) {
        // Uneven work, always well under a refresh.
        ASSERT_EQ(Frame((i % 5) * kMs + 123), first + i * kRefresh) << "frame " << i;
    }
    EXPECT_EQ(sleeps.size(), 600U);
    EXPECT_EQ(clockReads, 601 * 2) << "two clock readings per present: a sleep, not a wait loop";
}

TEST_F(Pacing, LateFramesCatchUpOnTheScheduleButALongStallStartsItAgain) {
    const Nanoseconds first = Frame(kMs);
    // Half a refresh late: presented at once, and the next one is back on
    // the schedule.
    EXPECT_EQ(Frame(kRefresh + kRefresh / 2), first + kRefresh + kRefresh / 2 + kMs / 2);
    EXPECT_EQ(Frame(kMs), first + 2 * kRefresh);
    // Three refreshes late (a level loading): no burst of unpaced frames to
    // make up for it, the next present is one refresh after this one.
    const Nanoseconds stalled = Frame(3 * kRefresh);
    EXPECT_EQ(Frame(kMs), stalled + kRefresh);
    EXPECT_EQ(Frame(kMs), stalled + 2 * kRefresh);
}

TEST_F(Pacing, ASwapThatWaitedForTheDisplayIsNotWaitedForAgain) {
    // The driver's own vertical-blank wait: the swap takes the rest of the
    // refresh.
    Frame(2 * kMs, kRefresh - 2 * kMs);
    for (int i = 0; i < 50; ++i) {
        Frame(2 * kMs + i * 1000, kRefresh - 2 * kMs - i * 1000);
    }
    EXPECT_TRUE(sleeps.empty());
}

TEST(PresentPacerInterval, IsOneRefreshOfTheDisplayAndSixtyHertzWhereUnknown) {
    EXPECT_EQ(PresentPacer::RefreshInterval(144), 1000000000 / 144);
    EXPECT_EQ(PresentPacer::RefreshInterval(0), 1000000000 / 60);
    EXPECT_EQ(PresentPacer::RefreshInterval(-1), 1000000000 / 60);
}
