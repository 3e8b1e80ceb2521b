// The 16F72x rules no other family has: Reset Address, no externally timed
// writes in config space, erases that never touch the two calibration words
// and a Row Erase that clears the user IDs in config space.

#include <gtest/gtest.h>

#include "sim_session.h"

namespace picprog::simtest {
namespace {

using C = IcspCommand;
constexpr auto kVppFirst = VoltageSequence::VppFirst;
constexpr int32_t kResetAddress = 0x16;

// Programs word 0, an ID and CONFIG1 with CP on, as a used, protected part.
void use_and_protect(Session& s) {
    ChipMemory& memory = s.sim.chip().memory();
    memory.set_program(0, 0x1234);
    memory.set_program(0x40, 0x0ABC);
    memory.set_config(0x2000, 0x0001);
    memory.set_config(kConfig1Address, 0x3FFF & ~0x0040);
    ASSERT_TRUE(memory.program_protected());
}

TEST(F72x, ResetAddressBringsThePcBackFromConfigSpace) {
    for (const auto& [part, pc_after] : {std::pair{"16F727", 0x0000}, {"16F72", 0x2007}}) {
        Session s(part);
        s.enter(recipe_for(s.sim.chip().variant().family).entry);
        ASSERT_TRUE(s.sim.chip().in_programming_mode()) << part;
        s.load(C::LoadConfiguration, 0x3FFF);
        s.increment(7);
        s.command(kResetAddress);
        EXPECT_EQ(s.sim.chip().pc(), pc_after) << part;
    }
}

TEST(F72x, ConfigWordsTakeOnlyTheInternallyTimedWriteAndItsLongerTime) {
    struct Case {
        int32_t begin;
        int32_t end;  // 0: none
        int32_t wait_ms;
        bool written;
    };
    const Case cases[] = {
        {0x18, 0x0A, 2, false},  // externally timed: ignored in config space
        {0x08, 0, 3, false},     // program-word time: cut short by the next command
        {0x08, 0, 5, true},
    };
    for (const Case& c : cases) {
        Session s("16F722");
        s.enter(kVppFirst);
        s.load(C::LoadConfiguration, 0x3FFF);
        s.increment(7);
        s.load(C::LoadProgram, 0x3FBF);
        s.command(c.begin);
        s.sim.sleep_ms(c.wait_ms);
        if (c.end != 0) {
            s.command(c.end);
        }
        s.sim.sleep_ms(1);
        s.command(C::IncrementAddress);
        EXPECT_EQ(s.sim.chip().memory().program_protected(), c.written) << c.begin << c.wait_ms;
    }
}

TEST(F72x, BulkEraseIgnoresProtectionAndKeepsCalibrationUpTo2008h) {
    struct Case {
        int32_t increments;  // from 2000h; -1: PC left at 0
        bool ids_erased;
        bool calibration_kept;
        int64_t violations;
    };
    const Case cases[] = {
        {-1, false, true, 0}, {0, true, true, 0}, {8, true, true, 0}, {9, true, false, 1}};
    for (const Case& c : cases) {
        Session s("16F723A");
        use_and_protect(s);
        ChipMemory& memory = s.sim.chip().memory();
        const uint16_t calibration[] = {memory.config(0x2009), memory.config(0x200A)};
        ASSERT_NE(calibration[0], 0x3FFF);
        s.enter(kVppFirst);
        if (c.increments >= 0) {
            s.load(C::LoadConfiguration, 0x3FFF);
            s.increment(c.increments);
        }
        s.command(C::BulkEraseProgram);
        s.sim.sleep_ms(5);
        s.leave();
        EXPECT_EQ(memory.program(0), 0x3FFF) << c.increments;
        EXPECT_FALSE(memory.program_protected()) << c.increments;
        EXPECT_EQ(memory.config(0x2000) == 0x3FFF, c.ids_erased) << c.increments;
        EXPECT_EQ(
            memory.config(0x2009) == calibration[0] && memory.config(0x200A) == calibration[1],
            c.calibration_kept)
            << c.increments;
        const RuleViolations v = s.sim.take_violations();
        ASSERT_EQ(v.total, c.violations) << c.increments;
        if (c.violations > 0) {
            EXPECT_EQ(v.listed[0].rule, ChipRule::EraseAddress);
        }
    }
}

TEST(F72x, RowEraseClears32WordsOrInConfigSpaceOnlyTheIds) {
    struct Case {
        bool in_config;
        bool protect;
        bool row_erased;
        bool ids_erased;
    };
    const Case cases[] = {
        {false, false, true, false}, {false, true, false, false}, {true, true, false, true}};
    for (const Case& c : cases) {
        Session s("16F724");
        ChipMemory& memory = s.sim.chip().memory();
        use_and_protect(s);
        if (!c.protect) {
            memory.set_config(kConfig1Address, 0x3FFF);
        }
        s.enter(kVppFirst);
        if (c.in_config) {
            s.load(C::LoadConfiguration, 0x3FFF);
        } else {
            s.increment(0x45);  // inside the row 0040h-005Fh
        }
        s.command(C::RowErase);
        s.sim.sleep_ms(3);
        s.leave();
        EXPECT_EQ(memory.program(0x40) == 0x3FFF, c.row_erased);
        EXPECT_EQ(memory.program(0), 0x1234) << "another row";
        EXPECT_EQ(memory.config(0x2000) == 0x3FFF, c.ids_erased);
        EXPECT_EQ(memory.program_protected(), c.protect);
    }
}

}  // namespace
}  // namespace picprog::simtest
