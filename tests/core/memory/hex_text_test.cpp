#include "core/memory/hex_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace picprog {
namespace {

struct FormatCase {
    const char* name;
    std::function<std::string(int32_t)> format;
    int32_t value;
    const char* expected;
};

class HexFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(HexFormat, KeepsTheLastDigitsOfTheTwosComplementForm) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(c.format(c.value), c.expected) << c.name << "(" << c.value << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Edges, HexFormat,
    ::testing::Values(FormatCase{"hex2", hex2, 10, "0A"}, FormatCase{"hex2", hex2, 0x1234, "34"},
                      FormatCase{"hex2", hex2, -1, "FF"}, FormatCase{"hex2", hex2, 256, "00"},
                      FormatCase{"hex2h", hex2h, 10, "0Ah"}, FormatCase{"hex4", hex4, 0, "0000"},
                      FormatCase{"hex4", hex4, 16383, "3FFF"},
                      FormatCase{"hex4", hex4, -2, "FFFE"},
                      FormatCase{"hex4", hex4, 0x12345, "2345"},
                      FormatCase{"hex4h", hex4h, 8199, "2007h"},
                      FormatCase{"hex6", hex6, 8, "000008"},
                      FormatCase{"hex6", hex6, 0x3FF8, "003FF8"},
                      FormatCase{"hex6", hex6, INT32_MIN, "000000"},
                      FormatCase{"hex6", hex6, -1, "FFFFFF"},
                      FormatCase{"hex4_swapped", hex4_swapped, 0x1234, "3412"},
                      FormatCase{"hex4_swapped", hex4_swapped, 0x3FFF, "FF3F"},
                      FormatCase{"hex4_swapped", hex4_swapped, 0, "0000"},
                      FormatCase{"hex4_swapped", hex4_swapped, -1, "FFFF"}));

struct ParseCase {
    const char* text;
    int32_t hex2;
    int32_t hex4;
};

class HexParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(HexParse, AcceptsOnlyExactUpperCaseDigits) {
    const ParseCase& c = GetParam();
    EXPECT_EQ(parse_hex2(c.text), c.hex2) << "parse_hex2(\"" << c.text << "\")";
    EXPECT_EQ(parse_hex4(c.text), c.hex4) << "parse_hex4(\"" << c.text << "\")";
}

INSTANTIATE_TEST_SUITE_P(Edges, HexParse,
                         ::testing::Values(ParseCase{"0A", 10, -1}, ParseCase{"FF", 255, -1},
                                           ParseCase{"00", 0, -1}, ParseCase{"0a", -1, -1},
                                           ParseCase{"A", -1, -1}, ParseCase{"0AB", -1, -1},
                                           ParseCase{"", -1, -1}, ParseCase{" A", -1, -1},
                                           ParseCase{"0G", -1, -1}, ParseCase{"-1", -1, -1},
                                           ParseCase{"2100", -1, 8448},
                                           ParseCase{"FFFF", -1, 65535},
                                           ParseCase{"3fff", -1, -1}, ParseCase{"21 0", -1, -1},
                                           ParseCase{"+100", -1, -1},
                                           ParseCase{"0x10", -1, -1}));

TEST(HexRoundTrip, EveryByteAndWordParsesBackToItself) {
    for (int32_t value = 0; value <= 0xFF; ++value) {
        ASSERT_EQ(parse_hex2(hex2(value)), value);
    }
    for (int32_t value = 0; value <= 0xFFFF; value += 7) {
        ASSERT_EQ(parse_hex4(hex4(value)), value);
    }
}

}  // namespace
}  // namespace picprog
