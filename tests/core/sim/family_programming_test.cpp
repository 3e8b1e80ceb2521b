// Each family's own write recipes, run through the real line driver against
// the simulated board, read back the way a programmer would.

#include <gtest/gtest.h>

#include <string>

#include "sim_session.h"

namespace picprog::simtest {
namespace {

using C = IcspCommand;

class FamilyProgramming : public ::testing::TestWithParam<FamilyRecipe> {
protected:
    const FamilyRecipe& recipe() const { return GetParam(); }
};

std::string recipe_name(const ::testing::TestParamInfo<FamilyRecipe>& info) {
    return std::string("PIC") + info.param.part;
}

TEST_P(FamilyProgramming, WordWrittenWithTheFamilySequenceReadsBack) {
    Session s(recipe().part);
    s.enter(recipe().entry);
    s.increment(5);
    s.load(C::LoadProgram, 0x1234);
    s.run(recipe().write_word);
    EXPECT_EQ(s.sim.chip().stats().busy_violations, 0);

    const std::vector<int32_t> words = s.read_program(recipe().entry, 8);
    for (int32_t i = 0; i < 8; ++i) {
        EXPECT_EQ(words[static_cast<size_t>(i)], i == 5 ? 0x1234 : 0x3FFF) << "address " << i;
    }
    EXPECT_EQ(s.sim.chip().memory().program(5), 0x1234);
}

TEST_P(FamilyProgramming, FullBlockOfLatchesIsWrittenByOneBegin) {
    Session s(recipe().part);
    const int32_t n = recipe().latches;
    s.enter(recipe().entry);
    s.increment(n);  // second block
    for (int32_t i = 0; i < n; ++i) {
        s.load(C::LoadProgram, 0x0100 + i);
        if (i + 1 < n) {
            s.increment(1);
        }
    }
    s.run(recipe().write_word);

    const std::vector<int32_t> words = s.read_program(recipe().entry, 3 * n);
    for (int32_t a = 0; a < 3 * n; ++a) {
        const bool in_block = a >= n && a < 2 * n;
        EXPECT_EQ(words[static_cast<size_t>(a)], in_block ? 0x0100 + a - n : 0x3FFF)
            << "address " << a;
    }
}

std::vector<FamilyRecipe> with_data_memory() {
    std::vector<FamilyRecipe> out;
    for (const FamilyRecipe& r : family_recipes()) {
        if (!r.write_byte.empty()) {
            out.push_back(r);
        }
    }
    return out;
}

class FamilyDataMemory : public FamilyProgramming {};

TEST_P(FamilyDataMemory, DataByteWrittenAndReadBack) {
    Session s(recipe().part);
    s.enter(recipe().entry);
    s.increment(3);
    s.load(C::LoadData, 0x5A);
    s.run(recipe().write_byte);
    s.reenter(recipe().entry);
    s.increment(3);
    EXPECT_EQ(s.read(C::ReadData), 0x5A);
    s.increment(1);
    EXPECT_EQ(s.read(C::ReadData), 0xFF);
    EXPECT_EQ(s.sim.chip().stats().data_bytes_written, 1);
}

// A byte written twice without an erase between: only the families whose
// data write erases the byte first replace it; the others can only clear
// bits, as in program memory.
TEST_P(FamilyDataMemory, RewriteWithoutEraseFollowsTheFamilyRule) {
    const std::string part = recipe().part;
    const bool replaces = part == "16F84A" || part == "16F877A" || part == "12F629" ||
                          part == "16F877" || part == "16F916" || part == "16F84" || part == "16F628";
    Session s(recipe().part);
    for (const int32_t value : {0x0F, 0xF0}) {
        s.reenter(recipe().entry);
        s.load(C::LoadData, value);
        s.run(recipe().write_byte);
    }
    s.reenter(recipe().entry);
    EXPECT_EQ(s.read(C::ReadData), replaces ? 0xF0 : 0x00);
}

// Config words are reached through Load Configuration and increments; the
// device ID at 2006h reads back whatever was sent.
TEST_P(FamilyProgramming, ConfigWordProgrammedAndDeviceIdReadable) {
    Session s(recipe().part);
    const auto& variant = s.sim.chip().variant();
    s.enter(recipe().entry);
    s.load(C::LoadConfiguration, 0x3FFF);
    s.increment(6);
    EXPECT_EQ(s.read(C::ReadProgram), variant.device_id);
    s.increment(1);
    const int32_t before = s.read(C::ReadProgram);
    s.load(C::LoadProgram, 0x3FFB);  // WDT off: bit 2 on every family here
    s.run(recipe().write_word);
    EXPECT_EQ(s.read(C::ReadProgram), before & 0x3FFB);
}

TEST_P(FamilyProgramming, UserIdWrittenAfterLoadConfiguration) {
    Session s(recipe().part);
    s.enter(recipe().entry);
    s.load(C::LoadConfiguration, 0x3FFF);
    s.increment(1);
    s.load(C::LoadProgram, 0x0AB5);
    s.run(recipe().write_word);
    EXPECT_EQ(s.sim.chip().memory().config(0x2001), 0x0AB5);
    EXPECT_EQ(s.sim.chip().memory().config(0x2000), 0x3FFF);
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, FamilyProgramming, ::testing::ValuesIn(family_recipes()),
                         recipe_name);
INSTANTIATE_TEST_SUITE_P(FamiliesWithEeprom, FamilyDataMemory,
                         ::testing::ValuesIn(with_data_memory()), recipe_name);

// The low three PC bits only pick the latch: a Begin at 000Bh rewrites the
// whole block 0008h-000Fh, and an erase-then-write blanks the latches that
// were not loaded.
TEST(MultiWordLatches, BeginHitsTheAlignedBlockAroundThePc) {
    Session s("16F877A");
    for (int32_t a = 0; a < 16; ++a) {
        s.sim.chip().memory().set_program(a, 0x0000);
    }
    s.enter(VoltageSequence::VddFirst);
    s.increment(11);
    s.load(C::LoadProgram, 0x0777);
    s.command(C::BeginProgramming);
    s.sim.sleep_ms(8);
    for (int32_t a = 0; a < 16; ++a) {
        const int32_t expected = a < 8 ? 0x0000 : (a == 11 ? 0x0777 : 0x3FFF);
        EXPECT_EQ(s.sim.chip().memory().program(a), expected) << "address " << a;
    }
}

TEST(MultiWordLatches, UnloadedLatchesLeaveProgramOnlyWritesAlone) {
    Session s("16F690");
    s.sim.chip().memory().set_program(1, 0x0F0F);
    s.enter(VoltageSequence::VppFirst);
    s.load(C::LoadProgram, 0x1111);  // latch 0 only
    s.command(C::BeginProgramming);
    s.sim.sleep_ms(3);
    EXPECT_EQ(s.sim.chip().memory().program(0), 0x1111);
    EXPECT_EQ(s.sim.chip().memory().program(1), 0x0F0F);
}

// Flash only loses ones without an erase, so a second program-only write
// cannot bring a 0 back.
// On the 87XA a Begin in config space writes the whole 8-word row: the
// latches not loaded since the last write put 3FFFh over their words.
TEST(WriteSemantics, ConfigRowOf87xaIsWrittenWhole) {
    Session s("16F877A");
    s.enter(VoltageSequence::VddFirst);
    s.load(C::LoadConfiguration, 0x0001);
    for (int32_t id = 1; id < 4; ++id) {
        s.increment(1);
        s.load(C::LoadProgram, id + 1);
    }
    s.command(C::BeginProgramming);
    s.sim.sleep_ms(8);
    s.increment(4);  // 2007h
    s.load(C::LoadProgram, 0x3F7E);
    s.command(C::BeginProgramming);
    s.sim.sleep_ms(8);
    const ChipMemory& m = s.sim.chip().memory();
    EXPECT_EQ(m.config(kConfig1Address) & 0x2FCF, 0x3F7E & 0x2FCF);
    for (int32_t id = 0; id < 4; ++id) {
        EXPECT_EQ(m.config(0x2000 + id), 0x3FFF) << "ID " << id << " rewritten from its latch";
    }
}

TEST(WriteSemantics, ProgramOnlyCycleCannotRaiseBits) {
    Session s("16F628A");
    s.enter(VoltageSequence::VppFirst);
    s.load(C::LoadProgram, 0x00FF);
    s.command(C::BeginProgramming);
    s.sim.sleep_ms(4);
    s.load(C::LoadProgram, 0x3FFF);
    s.command(C::BeginProgramming);
    s.sim.sleep_ms(4);
    EXPECT_EQ(s.sim.chip().memory().program(0) & 0x3F00, 0);
}

TEST(WriteSemantics, EraseWriteCycleReplacesTheWord) {
    Session s("16F84A");
    s.sim.chip().memory().set_program(0, 0x0000);
    s.enter(VoltageSequence::VddFirst);
    s.load(C::LoadProgram, 0x2AAA);
    s.command(C::BeginProgramming);
    s.sim.sleep_ms(8);
    EXPECT_EQ(s.sim.chip().memory().program(0), 0x2AAA);
}

TEST(WriteSemantics, LoadConfigurationDataDiscardedOnFamiliesThatSaySo) {
    for (const char* part : {"16F88", "16F73"}) {
        Session s(part);
        s.enter(VoltageSequence::VddFirst);
        s.load(C::LoadConfiguration, 0x0123);
        s.run(recipe_for(s.sim.chip().variant().family).write_word);
        EXPECT_EQ(s.sim.chip().memory().config(0x2000), 0x3FFF) << part;
    }
    Session kept("16F628A");
    kept.enter(VoltageSequence::VppFirst);
    kept.load(C::LoadConfiguration, 0x0123);
    kept.command(C::BeginProgramming);
    kept.sim.sleep_ms(4);
    EXPECT_EQ(kept.sim.chip().memory().config(0x2000), 0x0123);
}

}  // namespace
}  // namespace picprog::simtest
