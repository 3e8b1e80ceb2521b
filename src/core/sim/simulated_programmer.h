#pragma once

#include <cstdint>
#include <optional>

#include "core/hardware/port_backend.h"
#include "core/sim/chip_families.h"
#include "core/sim/chip_memory.h"
#include "core/sim/pic_chip.h"
#include "core/sim/programmer_circuit.h"
#include "core/trace/vcd_trace.h"

namespace picprog {

// Faults a test or a curious user can put into the simulated hardware.
struct SimulatorFaults {
    bool no_chip = false;               // empty socket: DATA only ever reads released
    std::optional<bool> data_in_stuck;  // DATA IN reads this level whatever the line does
    std::optional<StuckBit> stuck_bit;  // a program cell bit that never changes
    double timing_scale = 1.0;          // > 1: a slow part needs longer cycles
    // The supply collapses at this virtual time for vdd_drop_length_us, as a
    // loose wire or a weak supply would do: the chip loses programming mode
    // and any cycle in progress.
    std::optional<int64_t> vdd_drop_at_us;
    int64_t vdd_drop_length_us = 1000;
};

// A parallel port with a programmer board and a chip in its socket, behind
// the same interface as the real port. Time is virtual: every port access
// costs access_time_us, delay_us and sleep_ms add their time, and the chip's
// write and erase cycles run against that clock. Accesses to addresses other
// than the board's three registers are ignored (reads give FFh).
class SimulatedProgrammer final : public PortBackend {
public:
    explicit SimulatedProgrammer(ChipVariant part, CircuitWiring wiring = {});

    void write(int32_t address, uint8_t value) override;
    uint8_t read(int32_t address) override;
    // Advances the virtual clock; also really sleeps when set_real_sleep is on.
    void sleep_ms(int32_t ms) override;
    void delay_us(int32_t us) override;
    // The rules the chip saw broken since the last call.
    RuleViolations take_violations() override { return chip().take_violations(); }

    // Virtual time since construction, in microseconds.
    int64_t now_us() const { return now_us_; }
    // Cost of one port access in microseconds (default 1).
    void set_access_time_us(int32_t us) { access_time_us_ = us; }
    // Lets a person watch a front end at the speed of real hardware waits.
    void set_real_sleep(bool on) { real_sleep_ = on; }

    const CircuitWiring& wiring() const { return wiring_; }
    void set_wiring(const CircuitWiring& wiring);
    void set_faults(const SimulatorFaults& faults);
    // Records every line change from now on into `trace` (not owned; null
    // stops recording). The trace must outlive its use.
    void set_trace(VcdTrace* trace);

    // Line levels on the board right now.
    TraceLevels levels() const;

    // The chip, with any cycle whose time is up completed.
    PicChip& chip();
    const PicChip& chip() const { return chip_; }

private:
    void advance(int64_t us);
    void propagate();
    // Hands the chip the pins as the board drives them at `time_us`.
    void apply_pins(int64_t time_us);
    bool vdd_dropped(int64_t time_us) const;
    bool data_line_high(const DrivenLines& lines) const;

    PicChip chip_;
    CircuitWiring wiring_;
    SimulatorFaults faults_;
    VcdTrace* trace_ = nullptr;
    uint8_t data_ = 0;
    uint8_t control_ = 0;
    int64_t now_us_ = 0;
    int32_t access_time_us_ = 1;
    bool real_sleep_ = false;
};

}  // namespace picprog
