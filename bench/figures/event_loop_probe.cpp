#include "figures/event_loop_probe.h"

#include <algorithm>

namespace picprog::bench {
namespace {

constexpr int kWakeIntervalMs = 1;

}  // namespace

EventLoopProbe::EventLoopProbe() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kWakeIntervalMs);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { wake(); });
}

void EventLoopProbe::start() {
    longest_ns_ = 0;
    wakeups_ = 0;
    clock_.start();
    // The gap before the first wake-up counts too.
    last_ns_ = 0;
    timer_.start();
}

void EventLoopProbe::stop() {
    timer_.stop();
    // As does the time since the last wake-up.
    longest_ns_ = std::max(longest_ns_, clock_.nsecsElapsed() - last_ns_);
}

void EventLoopProbe::wake() {
    const qint64 now = clock_.nsecsElapsed();
    longest_ns_ = std::max(longest_ns_, now - last_ns_);
    last_ns_ = now;
    ++wakeups_;
}

}  // namespace picprog::bench
