// Code protection, set over the wire with each family's own config write,
// and lifted only by that family's erase.

#include <gtest/gtest.h>

#include <string>

#include "sim_session.h"

namespace picprog::simtest {
namespace {

using C = IcspCommand;

class CodeProtection : public ::testing::TestWithParam<FamilyRecipe> {
protected:
    // Programs word 0 and data byte 0, then writes a config word with every
    // CP and CPD bit at 0.
    void program_and_protect(Session& s) {
        const FamilyRecipe& r = GetParam();
        s.enter(r.entry);
        s.load(C::LoadProgram, 0x1234);
        s.run(r.write_word);
        if (!r.write_byte.empty()) {
            s.load(C::LoadData, 0x42);
            s.run(r.write_byte);
        }
        const FamilyTraits& traits = s.sim.chip().traits();
        s.load(C::LoadConfiguration, 0x3FFF);
        s.increment(7);
        s.load(C::LoadProgram, 0x3FFF & ~(traits.cp_mask | traits.cpd_mask));
        s.run(r.write_word);
        s.reenter(r.entry);
    }
};

TEST_P(CodeProtection, ProgramReadsZeroWhileConfigAndIdStayReadable) {
    Session s(GetParam().part);
    program_and_protect(s);
    ASSERT_TRUE(s.sim.chip().memory().program_protected());
    EXPECT_EQ(s.read(C::ReadProgram), 0);
    EXPECT_EQ(s.sim.chip().memory().program(0), 0x1234);
    if (!GetParam().write_byte.empty() && s.sim.chip().traits().cpd_mask != 0) {
        EXPECT_EQ(s.read(C::ReadData), 0);
    }
    s.load(C::LoadConfiguration, 0x3FFF);
    s.increment(6);
    EXPECT_EQ(s.read(C::ReadProgram), s.sim.chip().variant().device_id);
}

TEST_P(CodeProtection, WritesToProtectedProgramMemoryAreRefused) {
    Session s(GetParam().part);
    program_and_protect(s);
    s.increment(1);
    s.load(C::LoadProgram, 0x0000);
    s.run(GetParam().write_word);
    EXPECT_EQ(s.sim.chip().memory().program(1), 0x3FFF);
}

TEST_P(CodeProtection, RewritingTheConfigWordCannotLiftIt) {
    Session s(GetParam().part);
    program_and_protect(s);
    s.load(C::LoadConfiguration, 0x3FFF);
    s.increment(7);
    s.load(C::LoadProgram, 0x3FFF);
    s.run(GetParam().write_word);
    EXPECT_TRUE(s.sim.chip().memory().program_protected());
}

TEST_P(CodeProtection, FamilyEraseLiftsItAndBlanksTheCode) {
    Session s(GetParam().part);
    program_and_protect(s);
    s.run(GetParam().full_erase);
    s.reenter(GetParam().entry);
    EXPECT_FALSE(s.sim.chip().memory().program_protected());
    EXPECT_EQ(s.read(C::ReadProgram), 0x3FFF);
    if (!GetParam().write_byte.empty()) {
        EXPECT_EQ(s.read(C::ReadData), 0xFF);
    }
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, CodeProtection, ::testing::ValuesIn(family_recipes()),
                         [](const auto& info) { return std::string("PIC") + info.param.part; });

TEST(CodeProtectionRules, OsccalStaysReadableOnProtected629) {
    Session s("12F629");
    s.sim.chip().memory().set_config(kConfig1Address, 0x217F);  // CP on
    s.enter(VoltageSequence::VppFirst);
    s.increment(0x3FF);
    EXPECT_EQ(s.read(C::ReadProgram) & 0x3C00, 0x3400);
}

// The armed bulk erase refuses a protected 16F877A; only Chip Erase works.
TEST(CodeProtectionRules, ArmedBulkEraseRefusedChipEraseAccepted) {
    Session s("16F877A");
    s.sim.chip().memory().set_program(0, 0x0000);
    s.sim.chip().memory().set_config(kConfig1Address, 0x1FFF);
    s.enter(VoltageSequence::VddFirst);
    s.command(C::BulkEraseProgram);
    s.command(C::BeginProgramming);
    s.sim.sleep_ms(8);
    EXPECT_EQ(s.sim.chip().memory().program(0), 0x0000);
    EXPECT_GE(s.sim.chip().stats().blocked_by_protection, 1);
    s.command(C::ChipErase);
    s.sim.sleep_ms(8);
    EXPECT_EQ(s.sim.chip().memory().program(0), 0x3FFF);
    EXPECT_FALSE(s.sim.chip().memory().program_protected());
}

// The 16F84A has no CPD bit: its CP bits guard the data memory too, until
// the erase that lifts them.
TEST(CodeProtectionRules, CpOf84aGuardsTheDataUntilTheFullErase) {
    Session s("16F84A");
    s.sim.chip().memory().set_data(0, 0x11);
    s.sim.chip().memory().set_config(kConfig1Address, 0x000F);  // CP on
    s.enter(VoltageSequence::VddFirst);
    EXPECT_EQ(s.read(C::ReadData), 0x00);
    s.load(C::LoadData, 0x22);
    s.command(C::BeginProgramming);
    s.sim.sleep_ms(8);
    EXPECT_EQ(s.sim.chip().memory().data(0), 0x11);
    s.reenter(VoltageSequence::VddFirst);
    s.run(recipe_for(Family::F84A).full_erase);
    s.reenter(VoltageSequence::VddFirst);
    s.load(C::LoadData, 0x22);
    s.command(C::BeginProgramming);
    s.sim.sleep_ms(8);
    EXPECT_EQ(s.read(C::ReadData), 0x22);
}

// CP1:CP0 on the 16F627/628 protect the top of program memory: reads give
// 0 and writes are refused from the first protected word up, not below it.
TEST(CodeProtectionRules, CpPairsOf628ProtectOnlyTheirRange) {
    struct Case {
        const char* part;
        uint16_t config;
        int32_t first_protected;  // flash size: none
    };
    const Case cases[] = {
        {"16F628", 0x2BFF, 0x400}, {"16F628", 0x17FF, 0x200}, {"16F628", 0x03FF, 0},
        {"16F627", 0x2BFF, 0x400}, {"16F627", 0x17FF, 0x200}, {"16F628", 0x3BFF, 0x400},
    };
    for (const Case& c : cases) {
        Session s(c.part);
        ChipMemory& memory = s.sim.chip().memory();
        for (const int32_t a : {0x1FF, 0x200, 0x3FF, 0x400, 0x7FF}) {
            memory.set_program(a, 0x1234);
        }
        memory.set_config(kConfig1Address, c.config);
        s.enter(VoltageSequence::VppFirst);
        int32_t pc = 0;
        for (const int32_t a : {0x1FF, 0x200, 0x3FF, 0x400, 0x7FF}) {
            if (a >= memory.flash_words()) {
                continue;
            }
            s.increment(a - pc);
            pc = a;
            const bool guarded = a >= c.first_protected;
            EXPECT_EQ(s.read(C::ReadProgram), guarded ? 0 : 0x1234) << c.part << " " << a;
            s.load(C::LoadProgram, 0x0000);
            s.run({cmd(C::BeginProgramming), wait_ms(13)});
            EXPECT_EQ(memory.program(a), guarded ? 0x1234 : 0x0000) << c.part << " " << a;
        }
    }
}

// Code protection on a 16F627/628 refuses both armed erases, the data
// erase too although CPD is off.
TEST(CodeProtectionRules, Protected628RefusesBothBulkErases) {
    Session s("16F628");
    s.sim.chip().memory().set_program(9, 0x0000);
    s.sim.chip().memory().set_data(5, 0x11);
    s.sim.chip().memory().set_config(kConfig1Address, 0x03FF);  // CP on, CPD off
    s.enter(VoltageSequence::VppFirst);
    s.run({load(C::LoadProgram, 0x3FFF), cmd(C::BulkEraseProgram), cmd(C::BeginProgramming),
           wait_ms(13), load(C::LoadData, 0xFF), cmd(C::BulkEraseData), cmd(C::BeginProgramming),
           wait_ms(13)});
    EXPECT_EQ(s.sim.chip().memory().program(9), 0x0000);
    EXPECT_EQ(s.sim.chip().memory().data(5), 0x11);
    EXPECT_EQ(s.sim.chip().stats().blocked_by_protection, 3);
}

TEST(CodeProtectionRules, DataEraseRefusedUnderCpdOnLaterFamilies) {
    Session s("16F690");
    s.sim.chip().memory().set_data(0, 0x11);
    s.sim.chip().memory().set_config(kConfig1Address, 0x3F7F);  // CPD on
    s.enter(VoltageSequence::VppFirst);
    s.command(C::BulkEraseData);
    s.sim.sleep_ms(6);
    EXPECT_EQ(s.sim.chip().memory().data(0), 0x11);
}

}  // namespace
}  // namespace picprog::simtest
