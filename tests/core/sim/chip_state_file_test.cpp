// Saving and restoring a simulated chip's memories as text.

#include <gtest/gtest.h>

#include <string>

#include "core/sim/chip_for_model.h"
#include "core/sim/chip_state_file.h"

namespace picprog {
namespace {

TEST(ChipStateFile, RoundTripRestoresEveryMemory) {
    PicChip chip(chip_for_model("16F88"));
    chip.memory().set_program(0, 0x1234);
    chip.memory().set_program(4095, 0x0001);
    chip.memory().set_data(255, 0x5A);
    chip.memory().set_config(0x2001, 0x0042);
    chip.memory().set_config(kConfig1Address, 0x1F7F);
    chip.memory().set_config(kConfig2Address, 0x3FFC);

    PicChip copy(chip_for_model("16F88"));
    ASSERT_FALSE(load_chip_state(save_chip_state(chip), copy).has_value());
    for (int32_t a = 0; a < 4096; ++a) {
        ASSERT_EQ(copy.memory().program(a), chip.memory().program(a)) << a;
    }
    for (int32_t a = 0; a < 256; ++a) {
        ASSERT_EQ(copy.memory().data(a), chip.memory().data(a)) << a;
    }
    for (int32_t a = 0x2000; a < 0x2020; ++a) {
        ASSERT_EQ(copy.memory().config(a), chip.memory().config(a)) << a;
    }
    EXPECT_TRUE(copy.memory().program_protected());
}

TEST(ChipStateFile, BadLinesAreNamedByNumber) {
    struct Case {
        const char* text;
        int32_t line;
        const char* message_part;
    };
    const Case cases[] = {
        {"part 16F84A\n", 1, "expected part 16F628A"},
        {"# c\n\nprogram 0000 3FFF\nflash 0000 1\n", 4, "expected part, program"},
        {"program zz 3FFF\n", 1, "hexadecimal address"},
        {"program 0000 4000\n", 1, "up to 3FFF"},
        {"data 0000 100\n", 1, "up to 00FF"},
        {"program 07FF 0001 0002\n", 1, "0800 is outside program"},
        {"data 007F 01\ndata 0080 01\n", 2, "outside data"},
        {"config 1FFF 0000\n", 1, "outside config"},
    };
    for (const Case& c : cases) {
        PicChip chip(chip_for_model("16F628A"));
        const auto error = load_chip_state(c.text, chip);
        ASSERT_TRUE(error.has_value()) << c.text;
        EXPECT_EQ(error->line, c.line) << c.text;
        EXPECT_NE(error->message.find(c.message_part), std::string::npos)
            << c.text << " gave " << error->message;
    }
}

}  // namespace
}  // namespace picprog
