// The SDL platform's millisecond clock counts from the system's start, as
// the Windows one does, so that the random seed taken from it at startup
// differs between runs.
#include <gtest/gtest.h>

#include <ctime>

#include "platform/sdl/SdlPlatform.h"

namespace {
std::uint32_t BootMilliseconds() {
    timespec now{};
    EXPECT_EQ(clock_gettime(CLOCK_BOOTTIME, &now), 0);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000U +
                                      static_cast<std::uint64_t>(now.tv_nsec) / 1000000U);
}

// The reading of a freshly made platform, which must lie between two
// readings of the boot clock taken around it (in wrapping arithmetic).
std::uint32_t FreshReading() {
    const std::uint32_t before = BootMilliseconds();
    SdlPlatform platform;
    const std::uint32_t reading = platform.TimeGetTime();
    const std::uint32_t after = BootMilliseconds();
    EXPECT_LE(static_cast<std::uint32_t>(reading - before), static_cast<std::uint32_t>(after - before))
        << "reading " << reading << " outside the boot clock's [" << before << ", " << after << "]";
    return reading;
}
}  // namespace

TEST(SdlClock, FreshStartsReadTheBootClockNotATimeSinceSdlStarted) {
    const std::uint32_t bootFirst = BootMilliseconds();
    const std::uint32_t first = FreshReading();
    const std::uint32_t second = FreshReading();
    const std::uint32_t bootSecond = BootMilliseconds();
    // Apart by no more than the boot clock moved meanwhile.
    EXPECT_LE(static_cast<std::uint32_t>(second - first), static_cast<std::uint32_t>(bootSecond - bootFirst));
}
