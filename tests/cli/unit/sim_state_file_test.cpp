#include "cli/sim_state_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/sim/chip_for_model.h"

namespace picprog {
namespace {

using ::testing::HasSubstr;

ChipState programmed_628a() {
    PicChip chip(chip_for_model("16F628A"));
    chip.memory().set_program(0, 0x2805);
    chip.memory().set_program(2047, 0x0123);
    chip.memory().set_data(1, 0x4D);
    chip.memory().set_config(0x2007, 0x3F10);
    return capture_chip_state(chip);
}

TEST(ChipStateText, RoundTripsEveryMemory) {
    const ChipState state = programmed_628a();
    const ChipStateParse parsed = parse_chip_state(chip_state_text(state));
    ASSERT_TRUE(parsed.state) << parsed.line << ": " << parsed.error;
    EXPECT_EQ(parsed.state->part, "16F628A");
    EXPECT_EQ(parsed.state->program, state.program);
    EXPECT_EQ(parsed.state->data, state.data);
    EXPECT_EQ(parsed.state->config, state.config);
}

TEST(ChipStateText, RowsHoldEightLocations) {
    const std::string text = chip_state_text(programmed_628a());
    EXPECT_THAT(text, HasSubstr("part: 16F628A\nshape: 2048 128 3FFF -\n"));
    EXPECT_THAT(text, HasSubstr("program 000000: 2805 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF\n"));
    EXPECT_THAT(text, HasSubstr("program 0007F8: 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 0123\n"));
    EXPECT_THAT(text, HasSubstr("data 0000: FF 4D FF FF FF FF FF FF\n"));
    EXPECT_THAT(text, HasSubstr("config 2000: 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 1060 3F10\n"));
}

TEST(ChipStateText, MissingRowsKeepFactoryContents) {
    const ChipStateParse parsed = parse_chip_state(
        "Quellmark simulated chip 1\npart: 16F628A\nshape: 2048 128 3FFF -\n"
        "program 000010: 0001 0002\n");
    ASSERT_TRUE(parsed.state) << parsed.error;
    EXPECT_EQ(parsed.state->program[0x10], 0x0001);
    EXPECT_EQ(parsed.state->program[0x11], 0x0002);
    EXPECT_EQ(parsed.state->program[0x12], 0x3FFF);
    EXPECT_EQ(parsed.state->config[6], 0x1060);  // device ID
}

TEST(ChipStateText, RefusesWhatItCannotUseWithTheLine) {
    struct Case {
        const char* text;
        int line;
        const char* error;
    };
    const std::string head = "Quellmark simulated chip 1\npart: 16F628A\nshape: 2048 128 3FFF -\n";
    for (const Case& c : {
             Case{"something else\n", 1, "not a simulated chip file"},
             Case{"Quellmark simulated chip 1\nmodel: x\n", 2, "part"},
             Case{"Quellmark simulated chip 1\npart: 16F628A\nshape: many\n", 3, "shape"},
         }) {
        const ChipStateParse parsed = parse_chip_state(c.text);
        EXPECT_FALSE(parsed.state) << c.text;
        EXPECT_EQ(parsed.line, c.line) << c.text;
        EXPECT_THAT(parsed.error, HasSubstr(c.error)) << c.text;
    }
    for (const Case& c : {
             Case{"program 0007FC: 0 0 0 0 0\n", 4, "outside"},
             Case{"program 000000: 3FFF 12\n", 4, "4 hexadecimal digits"},
             Case{"data 0000 FF\n", 4, "address"},
             Case{"\nflash 0000: 3FFF\n", 5, "unknown row"},
         }) {
        const ChipStateParse parsed = parse_chip_state(head + c.text);
        EXPECT_FALSE(parsed.state) << c.text;
        EXPECT_EQ(parsed.line, c.line) << c.text;
        EXPECT_THAT(parsed.error, HasSubstr(c.error)) << c.text;
    }
}

TEST(ChipState, AppliedStateIsWhatTheChipHolds) {
    const ChipState state = programmed_628a();
    PicChip chip(chip_variant_of(state));
    apply_chip_state(state, chip);
    EXPECT_EQ(chip.memory().program(0), 0x2805);
    EXPECT_EQ(chip.memory().program(2047), 0x0123);
    EXPECT_EQ(chip.memory().data(1), 0x4D);
    EXPECT_EQ(chip.memory().config(0x2007), 0x3F10);
}

TEST(ChipState, UnknownPartIsRebuiltWithItsShape) {
    GenericChipShape shape;
    shape.flash_words = 512;
    shape.eeprom_bytes = 32;
    shape.config2_erased = 0x3FFF;
    const ChipState state = capture_chip_state(PicChip(chip_for_model("PIC99X1", shape)));
    const ChipStateParse parsed = parse_chip_state(chip_state_text(state));
    ASSERT_TRUE(parsed.state) << parsed.error;
    EXPECT_EQ(parsed.state->program.size(), 512u);
    EXPECT_EQ(parsed.state->data.size(), 32u);
    EXPECT_EQ(parsed.state->shape.config2_erased, 0x3FFF);
}

}  // namespace
}  // namespace picprog
