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

// Each timing rule the chip checks, broken once: the effect on the chip
// and the report that names the part and the rule.
TEST(BusyTimeRules, EachBrokenTimingRuleIsReportedInPlainWords) {
    struct Case {
        const char* part;
        VoltageSequence entry;
        std::vector<Step> steps;  // after loading 0123h at 0000h
        ChipRule rule;
        const char* says;
        int32_t word_after;  // program word 0000h afterwards
        int32_t pc_after;
    };
    using V = VoltageSequence;
    const Case cases[] = {
        // The next command came 1 us after End Programming: ignored.
        {"16F716",
         V::VddFirst,
         {cmd(C::BeginProgrammingOnly), wait_ms(2), cmd(C::EndProgrammingE), inc(1)},
         ChipRule::DischargeTime,
         "after End Programming; the chip needs at least 100 µs.",
         0x0123,
         0},
        {"16F77",
         V::VddFirst,
         {cmd(C::BeginProgramming), wait_ms(3), cmd(C::EndProgrammingE), wait_ms(1), inc(1)},
         ChipRule::PulseTooLong,
         "after the write began; the pulse may last at most 1000 µs.",
         0x0123,
         1},
        {"16F88",
         V::VddFirst,
         {cmd(C::BeginProgrammingOnly), cmd(C::EndProgramming17), inc(1)},
         ChipRule::BusyPeriod,
         "End Programming came",
         0x3FFF,
         1},
        {"16F628A",
         V::VppFirst,
         {cmd(C::BeginProgramming), wait_ms(1), inc(1)},
         ChipRule::BusyPeriod,
         "into a write that needs 4000 µs, so the write was lost.",
         0x3FFF,
         1},
    };
    for (const Case& c : cases) {
        Session s(c.part);
        s.enter(c.entry);
        s.load(C::LoadProgram, 0x0123);
        s.run(c.steps);
        EXPECT_EQ(s.sim.chip().pc(), c.pc_after) << c.part;
        const RuleViolations v = s.sim.take_violations();
        ASSERT_EQ(v.total, 1) << c.part;
        EXPECT_EQ(v.listed[0].rule, c.rule) << c.part;
        EXPECT_EQ(v.listed[0].text.rfind(std::string("PIC") + c.part + ": ", 0), 0U)
            << v.listed[0].text;
        EXPECT_NE(v.listed[0].text.find(c.says), std::string::npos) << v.listed[0].text;
        EXPECT_EQ(s.sim.chip().memory().program(0), c.word_after) << c.part;
    }
}

TEST(BusyTimeRules, ViolationsBeyondTheListAreCounted) {
    Session s("16F628A");
    s.enter(VoltageSequence::VppFirst);
    for (int32_t i = 0; i < 30; ++i) {
        s.command(C::BeginProgramming);
        s.increment(1);
    }
    const RuleViolations v = s.sim.take_violations();
    EXPECT_EQ(v.total, 30);
    EXPECT_LT(v.listed.size(), 30U);
    EXPECT_NE(violations_text(v).find("... and " + std::to_string(30 - v.listed.size()) + " more."),
              std::string::npos);
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
