// Write and erase cycles against the virtual clock: a programmer that does
// not wait loses the write, and the chip counts it.

#include <gtest/gtest.h>

#include <string>

#include "sim_session.h"

namespace picprog::simtest {
namespace {

using C = IcspCommand;

std::vector<Step> without_waits(const std::vector<Step>& steps) {
    std::vector<Step> out;
    for (const Step& s : steps) {
        if (s.op != Op::Wait) {
            out.push_back(s);
        }
    }
    return out;
}

// The steps up to the first wait: the cycle has started and nothing more.
std::vector<Step> until_first_wait(const std::vector<Step>& steps) {
    std::vector<Step> out;
    for (const Step& s : steps) {
        if (s.op == Op::Wait) {
            break;
        }
        out.push_back(s);
    }
    return out;
}

class BusyTime : public ::testing::TestWithParam<FamilyRecipe> {};

TEST_P(BusyTime, CommandDuringTheCycleSpoilsTheWrite) {
    Session s(GetParam().part);
    s.enter(GetParam().entry);
    s.load(C::LoadProgram, 0x0555);
    s.run(without_waits(GetParam().write_word));
    s.increment(1);
    s.sim.sleep_ms(50);
    EXPECT_EQ(s.sim.chip().memory().program(0), 0x3FFF);
    EXPECT_EQ(s.sim.chip().stats().busy_violations, 1);
}

TEST_P(BusyTime, SlowPartSpoilsAWriteTimedForANominalOne) {
    Session s(GetParam().part);
    SimulatorFaults slow;
    slow.timing_scale = 2.5;
    s.sim.set_faults(slow);
    s.enter(GetParam().entry);
    s.load(C::LoadProgram, 0x0555);
    s.run(GetParam().write_word);
    s.increment(1);
    EXPECT_EQ(s.sim.chip().memory().program(0), 0x3FFF);
    EXPECT_EQ(s.sim.chip().stats().busy_violations, 1);
}

TEST_P(BusyTime, PowerDownBeforeTheCycleEndsLosesIt) {
    Session s(GetParam().part);
    s.enter(GetParam().entry);
    s.load(C::LoadProgram, 0x0555);
    s.run(until_first_wait(GetParam().write_word));
    ASSERT_TRUE(s.sim.chip().busy());
    s.driver.vdd_off();
    s.sim.sleep_ms(50);
    EXPECT_EQ(s.sim.chip().memory().program(0), 0x3FFF);
    EXPECT_EQ(s.sim.chip().stats().busy_violations, 1);
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, BusyTime, ::testing::ValuesIn(family_recipes()),
                         [](const auto& info) { return std::string("PIC") + info.param.part; });

TEST(BusyTimeRules, InterruptedEraseErasesNothing) {
    Session s("16F628A");
    s.sim.chip().memory().set_program(3, 0x0000);
    s.enter(VoltageSequence::VppFirst);
    s.command(C::BulkEraseProgram);
    s.sim.sleep_ms(2);
    s.command(C::IncrementAddress);
    s.sim.sleep_ms(10);
    EXPECT_EQ(s.sim.chip().memory().program(3), 0x0000);
    EXPECT_EQ(s.sim.chip().stats().busy_violations, 1);
    EXPECT_EQ(s.sim.chip().stats().erases, 0);
}

TEST(BusyTimeRules, WaitingTheFullTimeCountsNoViolation) {
    Session s("16F628A");
    s.enter(VoltageSequence::VppFirst);
    for (int32_t a = 0; a < 4; ++a) {
        s.load(C::LoadProgram, a);
        s.command(C::BeginProgramming);
        s.sim.sleep_ms(4);
        s.increment(1);
    }
    EXPECT_EQ(s.sim.chip().stats().busy_violations, 0);
    EXPECT_EQ(s.sim.chip().stats().words_written, 4);
}

// After End Programming the part needs its discharge time; the write is
// kept but the hurry is counted.
TEST(BusyTimeRules, CommandInsideDischargeTimeIsCountedNotSpoiled) {
    Session s("16F690");
    s.enter(VoltageSequence::VppFirst);
    s.load(C::LoadProgram, 0x0123);
    s.command(C::BeginProgrammingOnly);
    s.sim.sleep_ms(3);
    s.command(C::EndProgrammingA);
    s.command(C::IncrementAddress);
    EXPECT_EQ(s.sim.chip().memory().program(0), 0x0123);
    EXPECT_EQ(s.sim.chip().stats().discharge_violations, 1);
    EXPECT_EQ(s.sim.chip().stats().busy_violations, 0);
}

TEST(BusyTimeRules, PortAccessesAndDelaysAdvanceTheVirtualClock) {
    Session s("16F628A");
    const int64_t start = s.sim.now_us();
    s.driver.flush_port();  // three accesses
    EXPECT_EQ(s.sim.now_us() - start, 3);
    s.sim.delay_us(7);
    s.sim.sleep_ms(2);
    EXPECT_EQ(s.sim.now_us() - start, 3 + 7 + 2000);
    s.sim.set_access_time_us(5);
    s.driver.flush_port();
    EXPECT_EQ(s.sim.now_us() - start, 3 + 7 + 2000 + 15);
}

}  // namespace
}  // namespace picprog::simtest
