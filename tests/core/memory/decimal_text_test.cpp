#include "core/memory/decimal_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace picprog {
namespace {

struct NumberCase {
    const char* text;
    int32_t expected;
};

class LeadingNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumber, ReadsTheRoundedLeadingNumber) {
    EXPECT_EQ(leading_number(GetParam().text), GetParam().expected)
        << "text \"" << GetParam().text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Forms, LeadingNumber,
    ::testing::Values(NumberCase{"1024", 1024}, NumberCase{"128 bytes", 128},
                      NumberCase{"  64", 64}, NumberCase{"\t7", 7}, NumberCase{"", 0},
                      NumberCase{" ", 0}, NumberCase{"abc", 0}, NumberCase{"x12", 0},
                      NumberCase{"-3", -3}, NumberCase{"+5", 5}, NumberCase{"- 5", 0},
                      NumberCase{"1:", 1}, NumberCase{"4,5", 4}, NumberCase{"2.5", 2},
                      NumberCase{"3.5", 4}, NumberCase{"2.51", 3}, NumberCase{"0.5", 0},
                      NumberCase{"1.5", 2}, NumberCase{"-2.5", -2}, NumberCase{"-3.5", -4},
                      NumberCase{".5", 0}, NumberCase{".6", 1}, NumberCase{"7.", 7},
                      NumberCase{".", 0}, NumberCase{"1e3", 1},
                      NumberCase{"99999999999", INT_MAX}, NumberCase{"-99999999999", INT_MIN}));

TEST(LeadingDecimal, KeepsTheFraction) {
    EXPECT_DOUBLE_EQ(leading_decimal("2.5 ms"), 2.5);
    EXPECT_DOUBLE_EQ(leading_decimal("-0.25"), -0.25);
    EXPECT_DOUBLE_EQ(leading_decimal("none"), 0.0);
}

}  // namespace
}  // namespace picprog
