// The programmer board between the port registers and the chip: pin
// levels, the port's own inversions, the open-collector DATA line, and
// boards wired to match (or not match) the hardware settings.

#include <gtest/gtest.h>

#include "sim_session.h"

namespace picprog::simtest {
namespace {

using C = IcspCommand;

struct PinLevelCase {
    int32_t pin;
    uint8_t data;
    uint8_t control;
    bool high;
};

TEST(PortPins, OutputLevelsFollowTheRegistersWithThePortsInversions) {
    const PinLevelCase cases[] = {
        {2, 0x01, 0x00, true},   {2, 0xFE, 0xFF, false},  {9, 0x80, 0x00, true},
        {5, 0x08, 0x00, true},   {1, 0x00, 0x00, true},   {1, 0x00, 0x01, false},
        {14, 0x00, 0x02, false}, {14, 0xFF, 0x00, true},  {16, 0x00, 0x04, true},
        {16, 0x00, 0x00, false}, {17, 0x00, 0x08, false}, {17, 0x00, 0x00, true},
        {10, 0xFF, 0xFF, false}, {0, 0xFF, 0xFF, false},  {26, 0xFF, 0xFF, false},
    };
    for (const PinLevelCase& c : cases) {
        EXPECT_EQ(output_pin_level(c.pin, c.data, c.control), c.high)
            << "pin " << c.pin << " data " << int(c.data) << " control " << int(c.control);
    }
}

struct StatusCase {
    int32_t data_in_pin;
    bool inverted;
    bool line_high;
    uint8_t status;
};

// Unused inputs float high; pin 11 reads inverted in S7; bits 0-2 fixed.
TEST(PortPins, StatusByteCarriesTheDataLineOnItsPin) {
    const StatusCase cases[] = {
        {10, true, true, 0x3F},  {10, true, false, 0x7F},  {10, false, true, 0x7F},
        {11, false, true, 0x7F}, {11, false, false, 0xFF}, {15, false, false, 0x77},
        {13, true, true, 0x6F},  {3, false, false, 0x7F},
    };
    for (const StatusCase& c : cases) {
        CircuitWiring w;
        w.data_in = {c.data_in_pin, c.inverted};
        EXPECT_EQ(status_register(w, c.line_high), c.status)
            << "pin " << c.data_in_pin << " inverted " << c.inverted << " line " << c.line_high;
    }
}

struct WiringCase {
    const char* name;
    LineSettings settings;
    CircuitWiring wiring;
};

WiringCase wiring_case(const char* name, int32_t base, std::array<int32_t, 5> pins,
                       std::array<bool, 5> inverted) {
    LineSettings s;
    s.port_base = base;
    s.vdd_pin = pins[0];
    s.vpp_pin = pins[1];
    s.clock_pin = pins[2];
    s.dataout_pin = pins[3];
    s.datain_pin = pins[4];
    s.vdd_inverted = inverted[0] ? 1 : 0;
    s.vpp_inverted = inverted[1] ? 1 : 0;
    s.clock_inverted = inverted[2] ? 1 : 0;
    s.dataout_inverted = inverted[3] ? 1 : 0;
    s.datain_inverted = inverted[4] ? 1 : 0;
    CircuitWiring w;
    w.port_base = base;
    w.vdd = {pins[0], inverted[0]};
    w.vpp = {pins[1], inverted[1]};
    w.clock = {pins[2], inverted[2]};
    w.data_out = {pins[3], inverted[3]};
    w.data_in = {pins[4], inverted[4]};
    return {name, s, w};
}

const WiringCase kMatchingBoards[] = {
    wiring_case("default", 888, {4, 5, 3, 2, 10}, {false, false, true, true, true}),
    wiring_case("control_pins_lpt2", 632, {1, 14, 16, 17, 11}, {false, true, false, true, false}),
    wiring_case("upper_data_pins", 888, {9, 8, 7, 6, 13}, {true, false, false, false, true}),
    wiring_case("lpt3_pin15", 956, {5, 4, 2, 3, 15}, {false, false, true, false, false}),
};

TEST(BoardWiring, AnyBoardMatchingTheSettingsProgramsAndReads) {
    for (const WiringCase& c : kMatchingBoards) {
        Session s("16F628A", c.wiring, c.settings);
        s.enter(VoltageSequence::VppFirst);
        s.increment(2);
        s.load(C::LoadProgram, 0x2C35);
        s.command(C::BeginProgramming);
        s.sim.sleep_ms(4);
        EXPECT_EQ(s.read(C::ReadProgram), 0x2C35) << c.name;
        EXPECT_EQ(s.sim.chip().memory().program(2), 0x2C35) << c.name;
        ASSERT_EQ(s.sim.chip().stats().entries.size(), 1U) << c.name;
        EXPECT_EQ(s.sim.chip().stats().entries[0], SupplyOrder::VppFirst) << c.name;
    }
}

TEST(BoardWiring, MismatchedBoardsReadGarbageWithoutHarm) {
    const WiringCase& good = kMatchingBoards[0];
    struct Mismatch {
        const char* name;
        CircuitWiring wiring;
        bool output_lines_match = false;
    };
    std::vector<Mismatch> boards;
    boards.push_back({"clock_on_other_pin", good.wiring});
    boards.back().wiring.clock.pin = 6;
    boards.push_back({"data_in_not_inverted", good.wiring});
    boards.back().wiring.data_in.inverted = false;
    boards.back().output_lines_match = true;
    boards.push_back({"other_port", good.wiring});
    boards.back().wiring.port_base = 632;
    boards.push_back({"pins_outside_table", good.wiring});
    boards.back().wiring.vdd.pin = 0;
    boards.back().wiring.data_in.pin = 30;

    for (const Mismatch& m : boards) {
        Session s("16F628A", m.wiring, good.settings);
        s.sim.chip().memory().set_program(0, 0x1111);
        s.enter(VoltageSequence::VppFirst);
        s.load(C::LoadProgram, 0x0000);
        s.command(C::BeginProgramming);
        s.sim.sleep_ms(4);
        const int32_t value = s.read(C::ReadProgram);
        s.leave();
        const uint16_t stored = s.sim.chip().memory().program(0);
        if (m.output_lines_match) {
            // The write lands; only the read-back is turned upside down.
            EXPECT_EQ(stored, 0x0000) << m.name;
            EXPECT_EQ(value, 0x3FFF & ~stored) << m.name;
        } else {
            EXPECT_EQ(stored, 0x1111) << m.name;
            EXPECT_NE(value, 0x1111) << m.name;
        }
    }
}

// DATA is open collector on both sides: with the PC holding it low the
// chip's ones cannot show; released with nothing pulling, it reads high.
TEST(BoardWiring, DataLineIsWiredAnd) {
    Session s("16F628A");
    s.enter(VoltageSequence::VppFirst);
    s.driver.send_command(static_cast<int32_t>(C::ReadProgram));
    s.driver.dataout_low();
    int32_t ones = 0;
    for (int32_t i = 0; i < 16; ++i) {
        s.driver.clock_high();
        ones += s.driver.read_datain();
        s.driver.clock_low();
    }
    EXPECT_EQ(ones, 0);
    s.driver.dataout_high();
    EXPECT_EQ(s.driver.read_datain(), 1);
}

TEST(BoardWiring, OtherAddressesAreIgnored) {
    Session s("16F628A");
    const TraceLevels before = s.sim.levels();
    s.sim.write(888 + 1, 0xFF);
    s.sim.write(889 + 2, 0xFF);
    s.sim.write(0, 0xFF);
    EXPECT_EQ(s.sim.levels(), before);
    EXPECT_EQ(s.sim.read(0x3BD), 0xFF);
}

}  // namespace
}  // namespace picprog::simtest
