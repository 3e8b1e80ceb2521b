#include "gui/mainwindow/event_pump.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <memory>

namespace picprog {

RateLimitedPump::RateLimitedPump(MillisecondClock clock) : clock_(std::move(clock)) {
    if (!clock_) {
        auto timer = std::make_shared<QElapsedTimer>();
        timer->start();
        clock_ = [timer] { return static_cast<int64_t>(timer->elapsed()); };
    }
}

bool RateLimitedPump::run() {
    const int64_t now = clock_();
    if (has_run_ && now - last_run_ms_ < kMinimumIntervalMs) {
        return false;
    }
    run_now();
    return true;
}

void RateLimitedPump::run_now() {
    has_run_ = true;
    last_run_ms_ = clock_();
    QCoreApplication::processEvents();
}

}  // namespace picprog
