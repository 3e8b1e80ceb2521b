#pragma once

#include <cstdint>
#include <memory>

#include "gui/mainwindow/pass_timer.h"

namespace picprog {

// The only place where the program lets pending window events run while it
// is busy. The line driver calls it after every port transfer, far more
// often than the screen can change, so it passes the events on only when
// kMinimumIntervalMs have gone by since its last pass: the window stays
// responsive while the port, not the user interface, sets the pace.
class RateLimitedPump {
public:
    static constexpr int64_t kMinimumIntervalMs = 15;

    // Without a clock a Metronome times the passes, which costs next to
    // nothing per call; tests hand in a clock of their own.
    explicit RateLimitedPump(MillisecondClock clock = {});

    // Lets pending events run when kMinimumIntervalMs have passed since the
    // last pass. Returns true when it did. Inline, and without a virtual
    // call for the metronome: it runs after every port transfer.
    bool run() {
        if (metronome_ != nullptr ? !metronome_->due() : !timer_->due()) {
            return false;
        }
        run_now();
        return true;
    }
    // Lets pending events run now, whatever the time.
    void run_now();

private:
    std::unique_ptr<PassTimer> timer_;
    Metronome* metronome_ = nullptr;  // timer_, when it is the metronome
};

}  // namespace picprog
