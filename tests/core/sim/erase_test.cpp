// Erases: every family's full erase leaves the blank checksum its datasheet
// gives, and the PC-dependent rules decide what else goes.

#include <gtest/gtest.h>

#include <string>

#include "sim_session.h"

namespace picprog::simtest {
namespace {

using C = IcspCommand;

struct BlankChecksum {
    const char* part;
    uint16_t checksum;
    uint16_t config1_mask;
    uint16_t config2_mask;  // 0: the part has one config word
    bool skip_last_word;    // the OSCCAL word is left out of the sum
};

constexpr BlankChecksum kBlankChecksums[] = {
    {"16F84A", 0x3BFF, 0x3FFF, 0, false},
    {"16F627A", 0x1DFF, 0x21FF, 0, false},
    {"16F628A", 0x19FF, 0x21FF, 0, false},
    {"16F648A", 0x11FF, 0x21FF, 0, false},
    {"16F873A", 0x1FCF, 0x2FCF, 0, false},
    {"16F874A", 0x1FCF, 0x2FCF, 0, false},
    {"16F876A", 0x0FCF, 0x2FCF, 0, false},
    {"16F877A", 0x0FCF, 0x2FCF, 0, false},
    {"16F87", 0x3002, 0x3FFF, 0x0003, false},
    {"16F88", 0x3002, 0x3FFF, 0x0003, false},
    {"12F629", 0xBE00, 0x01FF, 0, true},
    {"12F675", 0xBE00, 0x01FF, 0, true},
    {"16F630", 0xBE00, 0x01FF, 0, true},
    {"16F676", 0xBE00, 0x01FF, 0, true},
    {"16F631", 0x0BFF, 0x0FFF, 0, false},
    {"16F677", 0x07FF, 0x0FFF, 0, false},
    {"16F685", 0xFFFF, 0x0FFF, 0, false},
    {"16F687", 0x07FF, 0x0FFF, 0, false},
    {"16F689", 0xFFFF, 0x0FFF, 0, false},
    {"16F690", 0xFFFF, 0x0FFF, 0, false},
    {"16F882", 0x3EFF, 0x3FFF, 0x0700, false},
    {"16F883", 0x36FF, 0x3FFF, 0x0700, false},
    {"16F884", 0x36FF, 0x3FFF, 0x0700, false},
    {"16F886", 0x26FF, 0x3FFF, 0x0700, false},
    {"16F887", 0x26FF, 0x3FFF, 0x0700, false},
    {"16F716", 0x18CF, 0x20CF, 0, false},
    {"16F72", 0xF85F, 0x005F, 0, false},
    {"16F73", 0xF05F, 0x005F, 0, false},
    {"16F74", 0xF05F, 0x005F, 0, false},
    {"16F76", 0xE05F, 0x005F, 0, false},
    {"16F77", 0xE05F, 0x005F, 0, false},
    {"16F870", 0x33FF, 0x3BFF, 0, false},
    {"16F871", 0x33FF, 0x3BFF, 0, false},
    {"16F872", 0x33FF, 0x3BFF, 0, false},
    {"16F873", 0x2BFF, 0x3BFF, 0, false},
    {"16F874", 0x2BFF, 0x3BFF, 0, false},
    {"16F876", 0x1BFF, 0x3BFF, 0, false},
    {"16F877", 0x1BFF, 0x3BFF, 0, false},
    // The 72x figures follow the document's checksum formula (masks 3F7Fh
    // and 0030h); it prints no blank checksums itself.
    {"16F722", 0x37AF, 0x3F7F, 0x0030, false},
    {"16F722A", 0x37AF, 0x3F7F, 0x0030, false},
    {"16F723", 0x2FAF, 0x3F7F, 0x0030, false},
    {"16F723A", 0x2FAF, 0x3F7F, 0x0030, false},
    {"16F724", 0x2FAF, 0x3F7F, 0x0030, false},
    {"16F726", 0x1FAF, 0x3F7F, 0x0030, false},
    {"16F727", 0x1FAF, 0x3F7F, 0x0030, false},
    {"16F737", 0x2A42, 0x39FF, 0x0043, false},
    {"16F747", 0x2A42, 0x39FF, 0x0043, false},
    {"16F767", 0x1A42, 0x39FF, 0x0043, false},
    {"16F777", 0x1A42, 0x39FF, 0x0043, false},
    {"12F683", 0x07FF, 0x0FFF, 0, false},
    {"16F684", 0x07FF, 0x0FFF, 0, false},
    {"16F688", 0xFFFF, 0x0FFF, 0, false},
    {"12F635", 0x1BFF, 0x1FFF, 0, false},
    {"16F636", 0x17FF, 0x1FFF, 0, false},
    {"16F639", 0x17FF, 0x1FFF, 0, false},
    {"16F913", 0x0FFF, 0x1FFF, 0, false},
    {"16F914", 0x0FFF, 0x1FFF, 0, false},
    {"16F916", 0xFFFF, 0x1FFF, 0, false},
    {"16F917", 0xFFFF, 0x1FFF, 0, false},
    {"16F946", 0xFFFF, 0x1FFF, 0, false},
    {"12F609", 0xFFFF, 0x03FF, 0, false},
    {"12F615", 0xFFFF, 0x03FF, 0, false},
    {"16F610", 0xFFFF, 0x03FF, 0, false},
    {"16F616", 0xFBFF, 0x03FF, 0, false},
    {"16F785", 0x07FF, 0x0FFF, 0, false},
    {"16F83", 0x3DFF, 0x3FFF, 0, false},
    {"16F84", 0x3BFF, 0x3FFF, 0, false},
    {"16F627", 0x39FF, 0x3DFF, 0, false},
    {"16F628", 0x35FF, 0x3DFF, 0, false},
    {"16F818", 0x3BFF, 0x3FFF, 0, false},
    {"16F819", 0x37FF, 0x3FFF, 0, false},
};

uint16_t checksum(const ChipMemory& memory, const BlankChecksum& c,
                  const std::vector<int32_t>* words = nullptr) {
    uint32_t sum = 0;
    const int32_t count = memory.flash_words() - (c.skip_last_word ? 1 : 0);
    for (int32_t a = 0; a < count; ++a) {
        sum += words != nullptr ? static_cast<uint32_t>((*words)[static_cast<size_t>(a)])
                                : memory.program(a);
    }
    sum += memory.config(kConfig1Address) & c.config1_mask;
    sum += memory.config(kConfig2Address) & c.config2_mask;
    return static_cast<uint16_t>(sum & 0xFFFF);
}

class BlankChecksums : public ::testing::TestWithParam<BlankChecksum> {};

// Programmed and protected first, so the erase has something to undo.
TEST_P(BlankChecksums, FamilyFullEraseLeavesTheDatasheetChecksum) {
    const BlankChecksum& c = GetParam();
    Session s(c.part);
    ChipMemory& memory = s.sim.chip().memory();
    for (int32_t a = 0; a < 64; ++a) {
        memory.set_program(a, 0x0000);
    }
    memory.set_program(memory.flash_words() - 2, 0x1555);
    memory.set_data(0, 0x00);
    memory.set_config(kConfig1Address, 0x0000);
    ASSERT_TRUE(memory.program_protected());
    ASSERT_NE(checksum(memory, c), c.checksum);

    const FamilyRecipe& recipe = recipe_for(s.sim.chip().variant().family);
    s.enter(recipe.entry);
    s.run(recipe.full_erase);
    s.leave();

    EXPECT_EQ(checksum(s.sim.chip().memory(), c), c.checksum);
    EXPECT_FALSE(s.sim.chip().memory().program_protected());
    EXPECT_EQ(s.sim.chip().memory().data(0), 0xFF);
    EXPECT_EQ(s.sim.chip().stats().busy_violations, 0);
}

INSTANTIATE_TEST_SUITE_P(AllParts, BlankChecksums, ::testing::ValuesIn(kBlankChecksums),
                         [](const auto& info) { return std::string("PIC") + info.param.part; });

// The same sum from words read back over the wire, on one small part of
// each kind of read-protection rule.
TEST(BlankChecksumOverTheWire, MatchesForFreshParts) {
    for (const BlankChecksum& c : {kBlankChecksums[0], kBlankChecksums[10]}) {
        Session s(c.part);
        const FamilyRecipe& recipe = recipe_for(s.sim.chip().variant().family);
        s.enter(recipe.entry);
        s.run(recipe.full_erase);
        const auto words = s.read_program(recipe.entry, s.sim.chip().memory().flash_words());
        EXPECT_EQ(checksum(s.sim.chip().memory(), c, &words), c.checksum) << c.part;
    }
}

TEST(EraseRules, OsccalAndBandGapGoWithTheProgramErase) {
    Session s("12F629");
    EXPECT_EQ(s.sim.chip().memory().program(0x3FF) & 0x3C00, 0x3400);  // factory RETLW
    EXPECT_NE(s.sim.chip().memory().config(kConfig1Address), 0x31FF);
    s.enter(VoltageSequence::VppFirst);
    s.run(recipe_for(Family::F629).full_erase);
    EXPECT_EQ(s.sim.chip().memory().program(0x3FF), 0x3FFF);
    EXPECT_EQ(s.sim.chip().memory().config(kConfig1Address), 0x31FF);
}

TEST(EraseRules, CalibrationWordErasedOnlyWithThePcOnIt) {
    for (const auto& [part, calibration] : {std::pair{"16F690", 0x2008},
                                            {"16F887", 0x2009},
                                            {"12F683", 0x2008},
                                            {"16F616", 0x2008}}) {
        Session s(part);
        const uint16_t factory = s.sim.chip().memory().config(calibration);
        ASSERT_NE(factory, 0x3FFF);
        const FamilyRecipe& recipe = recipe_for(s.sim.chip().variant().family);
        s.enter(recipe.entry);
        s.run(recipe.full_erase);
        EXPECT_EQ(s.sim.chip().memory().config(calibration), factory) << part;

        s.reenter(recipe.entry);
        s.load(C::LoadConfiguration, 0x3FFF);
        s.increment(calibration - 0x2000);
        s.command(C::BulkEraseProgram);
        s.sim.sleep_ms(6);
        EXPECT_EQ(s.sim.chip().memory().config(calibration), 0x3FFF) << part;
    }
}

// Two-word calibration: an erase with the PC on either word takes both;
// the full erase keeps both.
TEST(EraseRules, BothCalibrationWordsGoWithThePcOnEither) {
    for (const char* part : {"12F635", "16F913", "16F785"}) {
        for (const int32_t pc : {0x2008, 0x2009}) {
            Session s(part);
            const ChipMemory& memory = s.sim.chip().memory();
            const uint16_t first = memory.config(0x2008);
            const uint16_t second = memory.config(0x2009);
            ASSERT_NE(first, 0x3FFF);
            ASSERT_NE(second, 0x3FFF);
            const FamilyRecipe& recipe = recipe_for(s.sim.chip().variant().family);
            s.enter(recipe.entry);
            s.run(recipe.full_erase);
            EXPECT_EQ(memory.config(0x2008), first) << part;
            EXPECT_EQ(memory.config(0x2009), second) << part;

            s.reenter(recipe.entry);
            s.load(C::LoadConfiguration, 0x3FFF);
            s.increment(pc - 0x2000);
            s.command(C::BulkEraseProgram);
            s.sim.sleep_ms(6);
            EXPECT_EQ(memory.config(0x2008), 0x3FFF) << part << " PC " << pc;
            EXPECT_EQ(memory.config(0x2009), 0x3FFF) << part << " PC " << pc;
        }
    }
}

TEST(EraseRules, UserIdsErasedOnlyWithThePcInConfigSpace) {
    Session s("16F628A");
    s.sim.chip().memory().set_config(0x2000, 0x0001);
    s.enter(VoltageSequence::VppFirst);
    s.command(C::BulkEraseProgram);
    s.sim.sleep_ms(6);
    EXPECT_EQ(s.sim.chip().memory().config(0x2000), 0x0001);
    s.load(C::LoadConfiguration, 0x3FFF);
    s.command(C::BulkEraseProgram);
    s.sim.sleep_ms(6);
    EXPECT_EQ(s.sim.chip().memory().config(0x2000), 0x3FFF);
}

// 84A, 87XA, 87/88, 627/628 and 818/819: Bulk Erase only arms; the next Begin runs it.
TEST(EraseRules, ArmedEraseNeedsTheBegin) {
    struct Case {
        const char* part;
        VoltageSequence entry;
        std::vector<Step> after_arm;
    };
    const Case cases[] = {
        {"16F84A", VoltageSequence::VddFirst, {cmd(C::BeginProgramming), wait_ms(10)}},
        {"16F877A", VoltageSequence::VddFirst, {cmd(C::BeginProgramming), wait_ms(8)}},
        {"16F88",
         VoltageSequence::VddFirst,
         {cmd(C::BeginProgramming), wait_ms(2), cmd(C::EndProgramming17)}},
        {"16F628", VoltageSequence::VppFirst, {cmd(C::BeginProgramming), wait_ms(5)}},
        {"16F819",
         VoltageSequence::VppFirst,
         {cmd(C::BeginProgramming), wait_ms(2), cmd(C::EndProgramming17)}},
    };
    for (const Case& c : cases) {
        Session s(c.part);
        s.sim.chip().memory().set_program(7, 0x0000);
        s.sim.chip().memory().set_config(kConfig1Address, 0x3FFB);
        s.enter(c.entry);
        s.load(C::LoadProgram, 0x3FFF);
        s.command(C::BulkEraseProgram);
        s.sim.sleep_ms(10);
        EXPECT_EQ(s.sim.chip().memory().program(7), 0x0000) << c.part << ": erased without Begin";
        s.command(C::BulkEraseProgram);
        s.run(c.after_arm);
        EXPECT_EQ(s.sim.chip().memory().program(7), 0x3FFF) << c.part;
        EXPECT_EQ(s.sim.chip().memory().config(kConfig1Address), 0x3FFB)
            << c.part << ": config is not part of this erase";
    }
}

// The 16F83/84 have neither Begin Programming Only nor a usable 09h: only
// the 01h-07h sequence erases, and every write goes through 08h.
TEST(EraseRules, OldSixteenF84LacksTheCommandsOfThe84A) {
    Session s("16F84");
    s.sim.chip().memory().set_program(7, 0x0000);
    s.enter(VoltageSequence::VddFirst);
    s.load(C::LoadProgram, 0x3FFF);
    s.command(C::BulkEraseProgram);
    s.command(C::BeginProgramming);
    s.sim.sleep_ms(20);
    EXPECT_EQ(s.sim.chip().memory().program(7), 0x0000) << "09h erased";
    s.increment(1);
    s.load(C::LoadProgram, 0x0123);
    s.command(C::BeginProgrammingOnly);
    s.sim.sleep_ms(20);
    EXPECT_EQ(s.sim.chip().memory().program(1), 0x3FFF) << "18h wrote";
    s.load(C::LoadProgram, 0x3FFF);
    s.command(C::BulkEraseSetup1);
    s.command(C::BulkEraseSetup2);
    s.command(C::BeginProgramming);
    s.sim.sleep_ms(10);
    EXPECT_EQ(s.sim.chip().memory().program(7), 0x3FFF);
}

// On the 16F627/628 the 01h-07h sequence works only at 2007h, where it
// needs Tera + Tprog.
TEST(EraseRules, SetupEraseOn628OnlyAtTheConfigWord) {
    Session s("16F628");
    s.sim.chip().memory().set_program(7, 0x0000);
    s.enter(VoltageSequence::VppFirst);
    s.load(C::LoadProgram, 0x3FFF);
    s.run(
        {cmd(C::BulkEraseSetup1), cmd(C::BulkEraseSetup2), cmd(C::BeginProgramming), wait_ms(13)});
    EXPECT_EQ(s.sim.chip().memory().program(7), 0x0000) << "erased at PC 0";
    s.load(C::LoadConfiguration, 0x3FFF);
    s.run({inc(7), cmd(C::BulkEraseSetup1), cmd(C::BulkEraseSetup2), cmd(C::BeginProgramming),
           wait_ms(5), cmd(C::BulkEraseSetup1)});
    EXPECT_EQ(s.sim.chip().memory().program(7), 0x0000) << "5 ms were enough";
    EXPECT_EQ(s.sim.chip().stats().busy_violations, 1);
    s.run(
        {cmd(C::BulkEraseSetup1), cmd(C::BulkEraseSetup2), cmd(C::BeginProgramming), wait_ms(13)});
    EXPECT_EQ(s.sim.chip().memory().program(7), 0x3FFF);
}

TEST(EraseRules, RowEraseClearsTheSixteenWordRowAtThePc) {
    Session s("16F690");
    for (int32_t a = 0; a < 48; ++a) {
        s.sim.chip().memory().set_program(a, 0x0000);
    }
    s.enter(VoltageSequence::VppFirst);
    s.increment(20);
    s.command(C::RowErase);
    s.sim.sleep_ms(6);
    for (int32_t a = 0; a < 48; ++a) {
        EXPECT_EQ(s.sim.chip().memory().program(a), a >= 16 && a < 32 ? 0x3FFF : 0x0000) << a;
    }
}

TEST(EraseRules, BeginEraseOnThe88ClearsAThirtyTwoWordRow) {
    Session s("16F88");
    for (int32_t a = 0; a < 96; ++a) {
        s.sim.chip().memory().set_program(a, 0x0000);
    }
    s.enter(VoltageSequence::VddFirst);
    s.increment(40);
    s.load(C::LoadProgram, 0x0001);
    s.command(C::BeginProgramming);
    s.sim.sleep_ms(1);
    s.command(C::EndProgramming17);
    for (int32_t a = 0; a < 96; ++a) {
        EXPECT_EQ(s.sim.chip().memory().program(a), a >= 32 && a < 64 ? 0x3FFF : 0x0000) << a;
    }
}

// With CPD set, Bulk Erase Program takes the data too, so protected data
// never outlives its protection.
TEST(EraseRules, ProtectedDataGoesWithTheProgramErase) {
    Session s("16F628A");
    s.sim.chip().memory().set_data(5, 0x42);
    s.sim.chip().memory().set_config(kConfig1Address, 0x3EFF);  // CPD on
    s.enter(VoltageSequence::VppFirst);
    s.command(C::BulkEraseProgram);
    s.sim.sleep_ms(6);
    EXPECT_EQ(s.sim.chip().memory().data(5), 0xFF);

    Session unprotected("16F628A");
    unprotected.sim.chip().memory().set_data(5, 0x42);
    unprotected.enter(VoltageSequence::VppFirst);
    unprotected.command(C::BulkEraseProgram);
    unprotected.sim.sleep_ms(6);
    EXPECT_EQ(unprotected.sim.chip().memory().data(5), 0x42);
}

}  // namespace
}  // namespace picprog::simtest
