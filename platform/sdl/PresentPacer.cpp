#include "platform/sdl/PresentPacer.h"

#include <cerrno>
#include <ctime>
#include <utility>

namespace {
PresentPacer::Nanoseconds MonotonicNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<PresentPacer::Nanoseconds>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void SleepUntilMonotonic(PresentPacer::Nanoseconds deadline) {
    timespec until{};
    until.tv_sec = static_cast<time_t>(deadline / 1000000000);
    until.tv_nsec = static_cast<long>(deadline % 1000000000);
    // An absolute deadline: a signal that cuts the sleep short just resumes it.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}
}  // namespace

PresentPacer::PresentPacer() : PresentPacer(&MonotonicNow, &SleepUntilMonotonic) {}

PresentPacer::PresentPacer(Clock now, SleepUntil sleepUntil)
    : now_(std::move(now)), sleepUntil_(std::move(sleepUntil)) {}

PresentPacer::Nanoseconds PresentPacer::RefreshInterval(int hertz) { return 1000000000 / (hertz > 0 ? hertz : 60); }

void PresentPacer::BeforeSwap() { swapStarted_ = now_(); }

void PresentPacer::AfterSwap(Nanoseconds interval) {
    const Nanoseconds now = now_();
    if (!scheduled_ || now - swapStarted_ >= interval / 2 || now >= next_ + interval) {
        scheduled_ = true;
        next_ = now + interval;
        return;
    }
    if (now < next_) {
        sleepUntil_(next_);
    }
    next_ += interval;
}
