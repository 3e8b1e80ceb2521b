// The metronome behind the event pump: a pass is due once per tick, and a
// metronome left alone long enough to fall asleep is woken by the next
// question instead of leaving the window unserviced.

#include "gui/mainwindow/pass_timer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace picprog {
namespace {

using namespace std::chrono_literals;

// Asks until a pass is due or `limit` has gone by; true when it was due.
bool becomes_due(PassTimer& timer, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (timer.due()) {
            return true;
        }
        std::this_thread::sleep_for(100us);
    }
    return false;
}

TEST(Metronome, TheFirstPassIsDueAndTheNextOneAfterATick) {
    Metronome metronome(5ms);
    EXPECT_TRUE(metronome.due());
    metronome.passed();
    EXPECT_FALSE(metronome.due());
    EXPECT_TRUE(becomes_due(metronome, 5s));
}

TEST(Metronome, AMetronomeLeftAloneWakesAtTheNextQuestion) {
    Metronome metronome(2ms);
    for (int round = 0; round < 20; ++round) {
        metronome.passed();
        // Many intervals without a question: the thread goes to sleep.
        std::this_thread::sleep_for(20ms);
        EXPECT_TRUE(becomes_due(metronome, 5s)) << "round " << round;
    }
}

TEST(Metronome, PassesKeepComingWhileQuestionsDo) {
    Metronome metronome(1ms);
    int passes = 0;
    const auto end = std::chrono::steady_clock::now() + 100ms;
    while (std::chrono::steady_clock::now() < end) {
        if (metronome.due()) {
            metronome.passed();
            ++passes;
        }
    }
    // About 100 ticks; even a loaded machine gives a handful.
    EXPECT_GE(passes, 3);
}

TEST(ClockPassTimer, DueAfterTheIntervalOnItsClock) {
    int64_t now = 50;
    ClockPassTimer timer([&now] { return now; }, 15);
    EXPECT_TRUE(timer.due());
    timer.passed();
    now += 14;
    EXPECT_FALSE(timer.due());
    now += 1;
    EXPECT_TRUE(timer.due());
}

}  // namespace
}  // namespace picprog
