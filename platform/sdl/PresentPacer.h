#pragma once

#include <cstdint>
#include <functional>

// Keeps presents one display refresh apart where the swap itself does not
// wait for the vertical blank (no vsync: Xvfb, many VMs, some drivers), as
// Direct3D 9's default presentation interval does: after a swap that
// returned at once, it sleeps until one refresh interval after the last
// present. Deadlines follow each other by exactly one interval, so the
// rate does not drift; a present more than an interval late starts the
// schedule again instead of letting a burst of frames through. A swap that
// took at least half an interval waited for the display: nothing is added.
class PresentPacer {
public:
    using Nanoseconds = std::int64_t;
    using Clock = std::function<Nanoseconds()>;
    using SleepUntil = std::function<void(Nanoseconds)>;

    // With the system's monotonic clock and an absolute-deadline sleep.
    PresentPacer();
    PresentPacer(Clock now, SleepUntil sleepUntil);

    // One refresh of a display of `hertz`; 60 Hz where the rate is unknown.
    static Nanoseconds RefreshInterval(int hertz);

    // Called just before the swap and right after it.
    void BeforeSwap();
    void AfterSwap(Nanoseconds interval);

private:
    Clock now_;
    SleepUntil sleepUntil_;
    Nanoseconds swapStarted_ = 0;
    Nanoseconds next_ = 0;
    bool scheduled_ = false;
};
