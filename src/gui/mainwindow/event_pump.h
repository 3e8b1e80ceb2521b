#pragma once

#include <cstdint>
#include <functional>

namespace picprog {

// Milliseconds from an arbitrary start; only differences are used.
using MillisecondClock = std::function<int64_t()>;

// The only place where the program lets pending window events run while it
// is busy. The line driver calls it after every port transfer, far more
// often than the screen can change, so it passes the events on only when
// kMinimumIntervalMs have gone by since its last pass: the window stays
// responsive while the port, not the user interface, sets the pace.
class RateLimitedPump {
public:
    static constexpr int64_t kMinimumIntervalMs = 15;

    // `clock` defaults to a cheap coarse monotonic clock (a few ms
    // resolution is plenty for a 15 ms interval, and the pump runs after
    // every port transfer); tests hand in their own.
    explicit RateLimitedPump(MillisecondClock clock = {});

    // Lets pending events run when kMinimumIntervalMs have passed since the
    // last pass. Returns true when it did.
    bool run();
    // Lets pending events run now, whatever the time.
    void run_now();

private:
    int64_t now_ms() const;

    MillisecondClock clock_;
    int64_t last_run_ms_ = 0;
    bool has_run_ = false;
};

}  // namespace picprog
