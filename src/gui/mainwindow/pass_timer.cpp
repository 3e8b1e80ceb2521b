#include "gui/mainwindow/pass_timer.h"

namespace picprog {

ClockPassTimer::ClockPassTimer(MillisecondClock clock, int64_t interval_ms)
    : clock_(std::move(clock)), interval_ms_(interval_ms) {}

bool ClockPassTimer::due() {
    return !has_passed_ || clock_() - last_pass_ms_ >= interval_ms_;
}

void ClockPassTimer::passed() {
    has_passed_ = true;
    last_pass_ms_ = clock_();
}

Metronome::Metronome(std::chrono::milliseconds interval)
    : interval_(interval), thread_([this] { tick_until_stopped(); }) {}

Metronome::~Metronome() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wakeup_.notify_one();
    thread_.join();
}

void Metronome::note_question() {
    // Noting the question and then looking whether the thread sleeps pairs
    // with the thread's going to sleep and then looking for a question (both
    // sequentially consistent), so one of the two always sees the other.
    asked_.store(true);
    if (sleeping_.load()) {
        wake();
    }
}

void Metronome::passed() {
    due_.store(false, std::memory_order_relaxed);
}

void Metronome::wake() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        woken_ = true;
    }
    wakeup_.notify_one();
}

void Metronome::tick_until_stopped() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop_) {
        wakeup_.wait_for(lock, interval_, [this] { return stop_; });
        if (stop_) {
            break;
        }
        due_.store(true, std::memory_order_relaxed);
        if (asked_.exchange(false)) {
            continue;
        }
        // A whole interval without a question: sleep until the next one.
        sleeping_.store(true);
        if (!asked_.load()) {
            wakeup_.wait(lock, [this] { return stop_ || woken_; });
        }
        woken_ = false;
        sleeping_.store(false);
    }
}

}  // namespace picprog
