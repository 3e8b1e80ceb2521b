// The chip's serial interface driven pin by pin, without the line driver:
// entry, shift register, frame edges, address counter.

#include <gtest/gtest.h>

#include "core/sim/chip_for_model.h"
#include "core/sim/pic_chip.h"

namespace picprog {
namespace {

using C = IcspCommand;

class PinBench {
public:
    explicit PinBench(const char* part) : chip(chip_for_model(part)) { apply(); }

    // The DATA line: the bench's drive and the chip's pull-down together.
    bool line() const { return pins.data && !chip.pulls_data_low(); }

    void apply() {
        ++now;
        ChipPins seen = pins;
        seen.data = line();
        chip.set_pins(seen, now);
    }
    void enter() {
        pins = {};
        apply();
        pins.vdd = true;
        apply();
        pins.vpp = true;
        apply();
    }
    void leave() {
        pins.vpp = false;
        pins.vdd = false;
        apply();
    }
    void clock_bit(bool bit) {
        pins.clock = true;
        apply();
        pins.data = bit;
        apply();
        pins.clock = false;
        apply();
    }
    void command(int32_t code) {
        for (int32_t i = 0; i < 6; ++i) {
            clock_bit(((code >> i) & 1) != 0);
        }
        pins.data = false;
        apply();
    }
    void command(C code) { command(static_cast<int32_t>(code)); }
    // Sixteen clocks carrying `raw` LSB first, start and stop bits included.
    void frame(uint32_t raw) {
        for (int32_t i = 0; i < 16; ++i) {
            clock_bit(((raw >> i) & 1U) != 0);
        }
        pins.data = false;
        apply();
    }
    // A read frame; returns the line level seen while CLOCK is high after
    // each of the 16 rising edges.
    std::vector<bool> read_frame(C code) {
        command(code);
        pins.data = true;  // release
        apply();
        std::vector<bool> seen;
        for (int32_t i = 0; i < 16; ++i) {
            pins.clock = true;
            apply();
            seen.push_back(line());
            pins.clock = false;
            apply();
        }
        pins.data = false;
        apply();
        return seen;
    }
    void wait_us(int64_t us) {
        now += us;
        chip.settle(now);
    }

    PicChip chip;
    ChipPins pins;
    int64_t now = 0;
};

TEST(ChipEntry, NeedsClockAndDataLowWhileVppRises) {
    for (const bool clock_high : {false, true}) {
        PinBench b("16F690");
        b.pins.vdd = true;
        b.pins.clock = clock_high;
        b.apply();
        b.pins.vpp = true;
        b.apply();
        EXPECT_EQ(b.chip.in_programming_mode(), !clock_high);
    }
}

TEST(ChipEntry, EntryResetsThePc) {
    PinBench b("16F690");
    b.enter();
    b.command(C::IncrementAddress);
    b.command(C::IncrementAddress);
    EXPECT_EQ(b.chip.pc(), 2);
    b.leave();
    EXPECT_FALSE(b.chip.in_programming_mode());
    b.enter();
    EXPECT_EQ(b.chip.pc(), 0);
}

TEST(ChipFrames, ReadDrivesBitsOnRisingEdgesTwoToFifteenAndReleasesAfter) {
    PinBench b("16F690");
    const uint16_t word = 0x2A5B;
    b.chip.memory().set_program(0, word);
    b.enter();
    const std::vector<bool> seen = b.read_frame(C::ReadProgram);
    ASSERT_EQ(seen.size(), 16U);
    EXPECT_TRUE(seen[0]) << "start position is not driven";
    for (int32_t i = 0; i < 14; ++i) {
        EXPECT_EQ(seen[static_cast<size_t>(i + 1)], ((word >> i) & 1) != 0) << "bit " << i;
    }
    EXPECT_TRUE(seen[15]) << "released on the 16th rising edge";
    EXPECT_FALSE(b.chip.pulls_data_low());
}

// Loads written with start and stop bits at 1 (as some programmers send
// them) store the same word as with 0s there.
TEST(ChipFrames, LoadIgnoresStartAndStopBits) {
    for (const uint32_t framing : {0x0000U, 0x8001U}) {
        PinBench b("16F690");
        b.enter();
        b.command(C::LoadProgram);
        b.frame((0x1234U << 1) | framing);
        b.command(C::BeginProgramming);
        b.wait_us(4000);
        EXPECT_EQ(b.chip.memory().program(0), 0x1234) << "framing " << framing;
    }
}

TEST(ChipFrames, DataLoadKeepsTheLowEightBits) {
    PinBench b("16F690");
    b.enter();
    b.command(C::LoadData);
    b.frame(0x3FA5U << 1);
    b.command(C::BeginProgramming);
    b.wait_us(6000);
    EXPECT_EQ(b.chip.memory().data(0), 0xA5);
}

TEST(ChipCommands, CodesTheFamilyLacksAreIgnoredButCounted) {
    PinBench b("16F716");  // no data memory, no 0Bh
    b.enter();
    b.command(C::LoadData);
    b.frame(0x7FFEU);  // its data frame must not be taken for commands
    b.command(C::BulkEraseData);
    b.command(0x3F);
    b.command(C::IncrementAddress);
    EXPECT_EQ(b.chip.pc(), 1);
    EXPECT_EQ(b.chip.stats().command_count(C::LoadData), 1);
    EXPECT_EQ(b.chip.stats().commands[0x3F], 1);
    EXPECT_EQ(b.chip.stats().command_count(C::IncrementAddress), 1);
    EXPECT_FALSE(b.chip.busy());
}

TEST(AddressCounter, WrapsInsideItsHalf) {
    PinBench b("16F690");
    b.enter();
    for (int32_t i = 0; i < 0x2000; ++i) {
        b.command(C::IncrementAddress);
    }
    EXPECT_EQ(b.chip.pc(), 0x0000) << "user half wraps from 1FFFh to 0";
    b.command(C::LoadConfiguration);
    b.frame(0);
    EXPECT_EQ(b.chip.pc(), 0x2000);
    for (int32_t i = 0; i < 0x2000; ++i) {
        b.command(C::IncrementAddress);
    }
    EXPECT_EQ(b.chip.pc(), 0x2000) << "config half wraps from 3FFFh to 2000h";
}

TEST(AddressCounter, OnlyTheLowBitsReachTheArray) {
    PinBench b("16F84A");
    b.chip.memory().set_program(0, 0x0ABC);
    b.enter();
    for (int32_t i = 0; i < 0x400; ++i) {
        b.command(C::IncrementAddress);
    }
    std::vector<bool> bits = b.read_frame(C::ReadProgram);
    int32_t value = 0;
    for (int32_t i = 0; i < 14; ++i) {
        value |= bits[static_cast<size_t>(i + 1)] ? (1 << i) : 0;
    }
    EXPECT_EQ(value, 0x0ABC);
}

// The 72x wants CLOCK and DATA still for 250 us after entry; other parts
// take a command at once.
TEST(ChipEntry, CommandInsideTheEntryHoldIsReported) {
    struct Case {
        const char* part;
        int64_t wait_us;
        int64_t violations;
    };
    for (const Case& c : {Case{"16F727", 0, 1}, Case{"16F727", 250, 0}, Case{"16F690", 0, 0}}) {
        PinBench b(c.part);
        b.enter();
        b.wait_us(c.wait_us);
        b.command(C::IncrementAddress);
        b.command(C::IncrementAddress);
        const RuleViolations v = b.chip.take_violations();
        EXPECT_EQ(v.total, c.violations) << c.part << " " << c.wait_us;
        if (c.violations > 0) {
            EXPECT_EQ(v.listed[0].rule, ChipRule::EntryHold);
        }
        EXPECT_EQ(b.chip.pc(), 2) << "the command is still taken";
    }
}

}  // namespace
}  // namespace picprog

namespace picprog {
namespace {

TEST(ChipForModel, AModelTheSimulatorDoesNotKnowGetsItsOwnSizes) {
    CurrentModel model;
    model.name = "PIC16F999X";
    model.flash_size = 4096;
    model.eeprom_size = 256;
    model.config_erased = {0, 0x3FFF, 0x3FFF};
    model.config2_used = true;
    const ChipVariant part = chip_for_model(model);
    EXPECT_EQ(part.flash_words, 4096);
    EXPECT_EQ(part.eeprom_bytes, 256);

    model.name = "PIC16F628A";
    EXPECT_EQ(chip_for_model(model).flash_words, 2048);  // a known part stays itself
}

}  // namespace
}  // namespace picprog
