#include <gtest/gtest.h>

#include "core/devices/current_model.h"
#include "core/devices/device_loader.h"

namespace picprog {
namespace {

using List = std::vector<std::string>;

struct SplitCase {
    const char* text;
    List expected;
};

class SplitInstructions : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitInstructions, SplitsAtCommasWithoutTrimming) {
    EXPECT_EQ(split_instructions(GetParam().text), GetParam().expected)
        << "text \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Forms, SplitInstructions,
    ::testing::Values(SplitCase{"BEGIN,CalcFlash,END", {"begin", "calcflash", "end"}},
                      SplitCase{"begin,end,", {"begin", "end"}},
                      SplitCase{"begin, end", {"begin", " end"}},
                      SplitCase{"a,,b", {"a", "", "b"}}, SplitCase{"", {""}},
                      SplitCase{",", {""}}, SplitCase{"a,,", {"a", ""}},
                      SplitCase{"S00-3FFF", {"s00-3fff"}}));

DeviceDatabase database_of(std::string text) {
    auto result = parse_device_database(text);
    EXPECT_EQ(result.status, DatabaseLoadStatus::Ok);
    return std::move(result.database);
}

CurrentModel selected(const DeviceDatabase& db, int32_t index, CurrentModel current = {}) {
    current.index = index;
    select_model(current, db);
    return current;
}

TEST(SelectModel, ConvertsEveryField) {
    const auto db = database_of(
        "erasealgdef 1: Begin,End\r\nprogramalgdef 1: a,,b\r\n"
        "model: PIC16F877A\r\nflash: 8192\r\neeprom: 256\r\nconfigerased: 3fff,3fff\r\n"
        "config2used: TRUE\r\nvoltageseq: VPPVDD\r\nprogtime: 8\r\npagesize: 8\r\n"
        "erasealg: 1\r\nprogramalg: 1\r\n");
    const CurrentModel m = selected(db, 1);
    EXPECT_EQ(m.name, "PIC16F877A");
    EXPECT_EQ(m.flash_size, 8192);
    EXPECT_EQ(m.eeprom_size, 256);
    EXPECT_EQ(m.config_erased[1], 0x3FFF);
    EXPECT_EQ(m.config_erased[2], 0x3FFF);
    EXPECT_TRUE(m.config2_used);
    EXPECT_EQ(m.voltage_sequence, VoltageSequence::VppFirst);
    EXPECT_EQ(m.programming_time, 8);
    EXPECT_EQ(m.page_size, 8);
    EXPECT_EQ(m.list(AlgorithmKind::Erase), (List{"begin", "end"}));
    EXPECT_EQ(m.list(AlgorithmKind::Program), (List{"a", "", "b"}));
    // A missing algorithm becomes one empty instruction.
    EXPECT_EQ(m.list(AlgorithmKind::Verify), (List{""}));
}

struct ErasedCase {
    const char* line;
    int32_t word1;
    int32_t word2;
};

class ConfigErased : public ::testing::TestWithParam<ErasedCase> {};

TEST_P(ConfigErased, ReadsTwoFourDigitPieces) {
    const auto db = database_of(std::string("model: X\r\n") + GetParam().line + "\r\n");
    const CurrentModel m = selected(db, 1);
    EXPECT_EQ(m.config_erased[1], GetParam().word1) << GetParam().line;
    EXPECT_EQ(m.config_erased[2], GetParam().word2) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ConfigErased,
    ::testing::Values(ErasedCase{"configerased: 3fff,3fff", 0x3FFF, 0x3FFF},
                      ErasedCase{"configerased: 3FFF", 0x3FFF, -1},
                      ErasedCase{"configerased:  3FFF 3FFF", -1, -1},
                      ErasedCase{"configerased: 1FFFx0FFFjunk", 0x1FFF, 0x0FFF},
                      ErasedCase{"configerased: 3FFF 3FF", 0x3FFF, -1},
                      ErasedCase{"configerased: 3G00 2000", -1, 0x2000},
                      ErasedCase{"flash: 1", -1, -1}));

TEST(SelectModel, UnknownFlagTextsKeepThePreviousModelsValues) {
    const auto db = database_of(
        "model: A\r\nconfig2used: true\r\nvoltageseq: vddvpp\r\n"
        "model: B\r\nconfig2used: yes\r\nvoltageseq: both\r\n"
        "model: C\r\nconfig2used: true \r\n");
    const CurrentModel a = selected(db, 1);
    const CurrentModel b = selected(db, 2, a);
    EXPECT_TRUE(b.config2_used);
    EXPECT_EQ(b.voltage_sequence, VoltageSequence::VddFirst);

    // In a fresh run nothing has set them yet.
    const CurrentModel fresh = selected(db, 2);
    EXPECT_FALSE(fresh.config2_used);
    EXPECT_EQ(fresh.voltage_sequence, VoltageSequence::NotSet);
    // Trailing blanks are part of the value, so "true " is not "true".
    EXPECT_FALSE(selected(db, 3).config2_used);
}

TEST(SelectModel, ReplacesAUserSetProgrammingTime) {
    const auto db = database_of("model: A\r\nprogtime: 8\r\n");
    CurrentModel current;
    current.programming_time = 50;
    EXPECT_EQ(selected(db, 1, current).programming_time, 8);
}

TEST(SelectModel, AnIndexOutsideTheListChangesNothing) {
    const auto db = database_of("model: A\r\nflash: 64\r\n");
    CurrentModel current;
    current.name = "before";
    EXPECT_EQ(selected(db, 0, current).name, "before");
    EXPECT_EQ(selected(db, 2, current).name, "before");
}

}  // namespace
}  // namespace picprog
