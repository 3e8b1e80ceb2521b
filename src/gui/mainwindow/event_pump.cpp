#include "gui/mainwindow/event_pump.h"

#include <QCoreApplication>
#include <chrono>

#ifdef __linux__
#include <time.h>
#endif

namespace picprog {
namespace {

constexpr int64_t kNanosecondsPerMs = 1000000;
constexpr int64_t kMsPerSecond = 1000;

// The pump asks for the time about once per port transfer, over a million
// times in one operation, so the clock read must cost next to nothing.
int64_t coarse_now_ms() {
#ifdef __linux__
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return static_cast<int64_t>(now.tv_sec) * kMsPerSecond + now.tv_nsec / kNanosecondsPerMs;
#else
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
#endif
}

}  // namespace

RateLimitedPump::RateLimitedPump(MillisecondClock clock) : clock_(std::move(clock)) {}

int64_t RateLimitedPump::now_ms() const {
    return clock_ ? clock_() : coarse_now_ms();
}

bool RateLimitedPump::run() {
    const int64_t now = now_ms();
    if (has_run_ && now - last_run_ms_ < kMinimumIntervalMs) {
        return false;
    }
    run_now();
    return true;
}

void RateLimitedPump::run_now() {
    has_run_ = true;
    last_run_ms_ = now_ms();
    QCoreApplication::processEvents();
}

}  // namespace picprog
