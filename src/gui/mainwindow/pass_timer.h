#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace picprog {

// Milliseconds from an arbitrary start; only differences are used.
using MillisecondClock = std::function<int64_t()>;

// Says when the event pump's next pass is due. Asked after every port
// transfer, over a million times in one operation, so due() must cost
// next to nothing.
class PassTimer {
public:
    virtual ~PassTimer() = default;
    // True when a pass is due; the caller then makes it.
    virtual bool due() = 0;
    // A pass was just made, whether due() asked for it or not.
    virtual void passed() = 0;
};

// Due when `interval_ms` have gone by on `clock` since the last pass; the
// first pass is always due.
class ClockPassTimer : public PassTimer {
public:
    ClockPassTimer(MillisecondClock clock, int64_t interval_ms);
    bool due() override;
    void passed() override;

private:
    MillisecondClock clock_;
    int64_t interval_ms_;
    int64_t last_pass_ms_ = 0;
    bool has_passed_ = false;
};

// Due once per tick of a thread of its own that ticks every interval, so
// due() is one relaxed load instead of a clock read. The thread sleeps
// while nobody asks (no wake-ups while the program is idle) and is woken by
// the next question, which then finds a pass due.
class Metronome final : public PassTimer {
public:
    explicit Metronome(std::chrono::milliseconds interval);
    ~Metronome() override;
    Metronome(const Metronome&) = delete;
    Metronome& operator=(const Metronome&) = delete;

    bool due() override {
        // Once per tick the question is noted, and a sleeping thread woken;
        // every other call is two relaxed loads.
        if (!asked_.load(std::memory_order_relaxed)) {
            note_question();
        }
        return due_.load(std::memory_order_relaxed);
    }
    void passed() override;

private:
    void note_question();
    void tick_until_stopped();
    void wake();

    std::chrono::milliseconds interval_;
    std::atomic<bool> due_{true};
    std::atomic<bool> asked_{false};     // due() was called since the last tick
    std::atomic<bool> sleeping_{false};  // the thread waits for a question
    std::mutex mutex_;
    std::condition_variable wakeup_;
    bool woken_ = false;
    bool stop_ = false;
    std::thread thread_;  // last: it starts once everything above exists
};

}  // namespace picprog
