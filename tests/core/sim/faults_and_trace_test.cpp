// Injected faults as a programmer sees them, and the line trace.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/sim/fault_spec.h"
#include "sim_session.h"

namespace picprog::simtest {
namespace {

using C = IcspCommand;

TEST(Faults, DataInLevelDecidesWhatEveryReadReturns) {
    struct Case {
        const char* name;
        SimulatorFaults faults;
        int32_t read;
    };
    SimulatorFaults none;
    SimulatorFaults empty_socket;
    empty_socket.no_chip = true;
    SimulatorFaults stuck_low;
    stuck_low.data_in_stuck = false;
    SimulatorFaults stuck_high;
    stuck_high.data_in_stuck = true;
    const Case cases[] = {
        {"healthy", none, 0x0123},
        {"no_chip", empty_socket, 0x3FFF},
        {"stuck_low", stuck_low, 0x0000},
        {"stuck_high", stuck_high, 0x3FFF},
    };
    for (const Case& c : cases) {
        Session s("16F628A");
        s.sim.chip().memory().set_program(0, 0x0123);
        s.sim.set_faults(c.faults);
        s.enter(VoltageSequence::VppFirst);
        EXPECT_EQ(s.read(C::ReadProgram), c.read) << c.name;
        EXPECT_EQ(s.sim.chip().stats().entries.size(), c.faults.no_chip ? 0U : 1U) << c.name;
    }
}

TEST(Faults, StuckBitSurvivesWritesAndErases) {
    Session s("16F628A");
    SimulatorFaults f;
    f.stuck_bit = StuckBit{.address = 4, .bit = 3, .level = true};
    s.sim.set_faults(f);
    s.enter(VoltageSequence::VppFirst);
    s.increment(4);
    s.load(C::LoadProgram, 0x0000);
    s.command(C::BeginProgramming);
    s.sim.sleep_ms(4);
    EXPECT_EQ(s.read(C::ReadProgram), 0x0008);

    SimulatorFaults low;
    low.stuck_bit = StuckBit{.address = 4, .bit = 0, .level = false};
    s.sim.set_faults(low);
    s.command(C::BulkEraseProgram);
    s.sim.sleep_ms(6);
    EXPECT_EQ(s.read(C::ReadProgram), 0x3FFE);
}

int count(const std::string& text, const std::string& needle) {
    int n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
        ++n;
    }
    return n;
}

TEST(VcdTraceOutput, RecordsEveryLineChangeWithRisingTimestamps) {
    std::ostringstream out;
    Session s("16F628A");
    VcdTrace trace(out);
    s.sim.set_trace(&trace);
    s.enter(VoltageSequence::VppFirst);
    s.command(C::IncrementAddress);  // 011000b: six clocks
    s.sim.set_trace(nullptr);
    s.driver.clock_high();  // not recorded

    const std::string vcd = out.str();
    const size_t dump_end = vcd.find("$end", vcd.find("$dumpvars"));
    ASSERT_NE(dump_end, std::string::npos);
    const std::string changes = vcd.substr(dump_end);
    for (const char* name : {"VDD", "VPP", "CLOCK", "DATA_OUT", "DATA_IN"}) {
        EXPECT_NE(vcd.find(std::string(" ") + name + " $end"), std::string::npos) << name;
    }
    EXPECT_NE(vcd.find("$timescale 1us $end"), std::string::npos);
    EXPECT_EQ(count(changes, "\n0#"), 6) << "falling CLOCK edges";
    EXPECT_EQ(count(changes, "\n1#"), 6) << "rising CLOCK edges";
    EXPECT_EQ(count(changes, "\n1\""), 1) << "VPP on once";

    int64_t last = -1;
    std::istringstream lines(vcd);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line[0] == '#') {
            const int64_t t = std::stoll(line.substr(1));
            EXPECT_GT(t, last);
            last = t;
        }
    }
    EXPECT_GE(last, 50000) << "the 50 ms supply wait is in the time stamps";
}

TEST(ModelNames, NamesMapToTheirPartsAndUnknownNamesToAGenericOne) {
    struct Case {
        const char* name;
        const char* part;
        Family family;
    };
    const Case cases[] = {
        {"16F628A", "16F628A", Family::F62XA},   {"pic16f628a", "16F628A", Family::F62XA},
        {" PIC12F675 ", "12F675", Family::F629}, {"16f877", "16F877", Family::F87X},
        {"16F877A", "16F877A", Family::F87XA},   {"PIC16F88", "16F88", Family::F87_88},
        {"16F9999", "16F9999", Family::Generic},
    };
    for (const Case& c : cases) {
        const ChipVariant v = chip_for_model(c.name);
        EXPECT_EQ(v.name, c.part) << c.name;
        EXPECT_EQ(v.family, c.family) << c.name;
    }
}

TEST(ModelNames, GenericPartTakesTheGivenShapeAndProgramsLike628A) {
    const ChipVariant v = chip_for_model("10X1", GenericChipShape{.flash_words = 512,
                                                                  .eeprom_bytes = 32,
                                                                  .config1_erased = 0x3FFF,
                                                                  .config2_erased = 0x0003});
    EXPECT_EQ(v.flash_words, 512);
    EXPECT_EQ(v.eeprom_bytes, 32);
    EXPECT_EQ(v.config_words, 2);

    SimulatedProgrammer sim(v);
    EXPECT_EQ(sim.chip().memory().config(kConfig2Address), 0x0003);
    EXPECT_EQ(sim.chip().memory().flash_words(), 512);
    EXPECT_EQ(family_traits(v.family).actions[0x08], ChipAction::BeginWrite);
    EXPECT_EQ(family_traits(v.family).actions[0x18], ChipAction::None);
}

}  // namespace
}  // namespace picprog::simtest

namespace picprog::simtest {
namespace {

TEST(FaultSpec, EachNamedFaultSetsItsFieldAndBadOnesSayWhy) {
    SimulatorFaults f;
    EXPECT_EQ(add_fault("no-chip", f), "");
    EXPECT_TRUE(f.no_chip);
    EXPECT_EQ(add_fault("data-in-stuck:1", f), "");
    EXPECT_EQ(f.data_in_stuck, std::optional<bool>(true));
    EXPECT_EQ(add_fault("stuck-bit:3FFh:13:1", f), "");
    ASSERT_TRUE(f.stuck_bit.has_value());
    EXPECT_EQ(f.stuck_bit->address, 0x3FF);
    EXPECT_EQ(f.stuck_bit->bit, 13);
    EXPECT_TRUE(f.stuck_bit->level);
    EXPECT_EQ(add_fault("slow:2.5", f), "");
    EXPECT_DOUBLE_EQ(f.timing_scale, 2.5);
    EXPECT_EQ(add_fault("vdd-drop:150:2", f), "");
    EXPECT_EQ(f.vdd_drop_at_us, std::optional<int64_t>(150000));
    EXPECT_EQ(f.vdd_drop_length_us, 2000);

    for (const char* bad :
         {"no-chip:1", "data-in-stuck", "data-in-stuck:2", "stuck-bit:1:14:0", "stuck-bit:zz:1:0",
          "slow:0.5", "slow:", "vdd-drop", "vdd-drop:-1", "vdd-drop:5:0", "sparks"}) {
        SimulatorFaults untouched;
        EXPECT_NE(add_fault(bad, untouched), "") << bad;
    }
}

}  // namespace
}  // namespace picprog::simtest
