#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <cstdint>

namespace picprog::bench {

// Asks the event loop to wake it every millisecond and keeps the longest
// time between two wake-ups: the longest the window could not have answered
// a click, a repaint or a close. Timers only run when events are processed,
// so during an operation it measures how often the operation lets them run.
class EventLoopProbe {
public:
    EventLoopProbe();

    // Forgets earlier wake-ups and starts listening.
    void start();
    // Stops listening; the figures stay.
    void stop();

    double longest_gap_ms() const { return static_cast<double>(longest_ns_) / 1e6; }
    int64_t wakeups() const { return wakeups_; }

private:
    void wake();

    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ns_ = 0;
    qint64 longest_ns_ = 0;
    int64_t wakeups_ = 0;
};

}  // namespace picprog::bench
