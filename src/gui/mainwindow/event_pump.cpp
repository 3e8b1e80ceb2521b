#include "gui/mainwindow/event_pump.h"

#include <QCoreApplication>

namespace picprog {

RateLimitedPump::RateLimitedPump(MillisecondClock clock) {
    if (clock) {
        timer_ = std::make_unique<ClockPassTimer>(std::move(clock), kMinimumIntervalMs);
    } else {
        timer_ = std::make_unique<Metronome>(std::chrono::milliseconds(kMinimumIntervalMs));
    }
}

bool RateLimitedPump::run() {
    if (!timer_->due()) {
        return false;
    }
    run_now();
    return true;
}

void RateLimitedPump::run_now() {
    timer_->passed();
    QCoreApplication::processEvents();
}

}  // namespace picprog
