#include "gui/mainwindow/event_pump.h"

#include <QCoreApplication>

namespace picprog {

RateLimitedPump::RateLimitedPump(MillisecondClock clock) {
    if (clock) {
        timer_ = std::make_unique<ClockPassTimer>(std::move(clock), kMinimumIntervalMs);
    } else {
        auto metronome = std::make_unique<Metronome>(std::chrono::milliseconds(kMinimumIntervalMs));
        metronome_ = metronome.get();
        timer_ = std::move(metronome);
    }
}

void RateLimitedPump::run_now() {
    timer_->passed();
    QCoreApplication::processEvents();
}

}  // namespace picprog
