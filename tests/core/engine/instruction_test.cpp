#include "core/engine/instruction.h"

#include <gtest/gtest.h>

namespace picprog {
namespace {

struct DecodeCase {
    const char* text;
    OpCode op;
    int32_t command;
    int32_t data;
    int32_t wait_ms;
};

class Decode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Decode, FindsTheFirstMatchingForm) {
    const DecodeCase& c = GetParam();
    const Instruction ins = decode_instruction(c.text);
    EXPECT_EQ(ins.op, c.op) << "\"" << c.text << "\"";
    EXPECT_EQ(ins.command, c.command) << "\"" << c.text << "\"";
    EXPECT_EQ(ins.data, c.data) << "\"" << c.text << "\"";
    EXPECT_EQ(ins.wait_ms, c.wait_ms) << "\"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Forms, Decode,
    ::testing::Values(
        DecodeCase{"begin", OpCode::Begin, 0, 0, 0}, DecodeCase{"end", OpCode::End, 0, 0, 0},
        DecodeCase{"calcflashpage", OpCode::CalcFlashPage, 0, 0, 0},
        DecodeCase{"s02-flash", OpCode::SendFlash, 2, 0, 0},
        DecodeCase{"s2a-eeprom", OpCode::SendEeprom, 0x2A, 0, 0},
        DecodeCase{"s2-flash", OpCode::SendFlash, -1, 0, 0},
        DecodeCase{"s02-config1", OpCode::SendConfig1, 2, 0, 0},
        DecodeCase{"s02-config2", OpCode::SendConfig2, 2, 0, 0},
        DecodeCase{"flash=s04", OpCode::ReadFlash, 4, 0, 0},
        DecodeCase{"flash=s4", OpCode::ReadFlash, -1, 0, 0},
        DecodeCase{"eeprom=s05", OpCode::ReadEeprom, 5, 0, 0},
        DecodeCase{"config1=s04", OpCode::ReadConfig1, 4, 0, 0},
        DecodeCase{"config2=s04", OpCode::ReadConfig2, 4, 0, 0},
        DecodeCase{"temp=s04", OpCode::ReadTemp, 4, 0, 0},
        DecodeCase{"temp=s04 ", OpCode::ReadTemp, 4, 0, 0},
        DecodeCase{"checkblankconfig2", OpCode::CheckBlankConfig2, 0, 0, 0},
        DecodeCase{"checkeeprom", OpCode::CheckEeprom, 0, 0, 0},
        DecodeCase{"s00-3fff", OpCode::SendData, 0, 0x3FFF, 0},
        DecodeCase{"s00-4000", OpCode::SendData, 0, 0x4000, 0},
        DecodeCase{"s00-3ffg", OpCode::SendData, 0, -1, 0},
        DecodeCase{"s06", OpCode::SendCommand, 6, 0, 0},
        DecodeCase{"s6", OpCode::Unrecognized, 0, 0, 0},
        DecodeCase{"s0 6", OpCode::Unrecognized, 0, 0, 0},
        DecodeCase{"s 6", OpCode::SendCommand, -1, 0, 0},
        DecodeCase{"wprog", OpCode::WaitProgramming, 0, 0, 0},
        DecodeCase{"w10", OpCode::Wait, 0, 0, 10}, DecodeCase{"w2.5", OpCode::Wait, 0, 0, 2},
        DecodeCase{"w3.5", OpCode::Wait, 0, 0, 4}, DecodeCase{"w", OpCode::Wait, 0, 0, 0},
        DecodeCase{"w-5", OpCode::Wait, 0, 0, -5},
        DecodeCase{"w 10", OpCode::Wait, 0, 0, 10},
        DecodeCase{"", OpCode::Unrecognized, 0, 0, 0},
        DecodeCase{" begin", OpCode::Unrecognized, 0, 0, 0},
        DecodeCase{"BEGIN", OpCode::Unrecognized, 0, 0, 0},
        DecodeCase{"loop ", OpCode::Unrecognized, 0, 0, 0}));

}  // namespace
}  // namespace picprog
