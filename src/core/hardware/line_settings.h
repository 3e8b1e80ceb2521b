#pragma once

#include <cstdint>

namespace picprog {

// Where each programmer line is wired and whether the circuit inverts it.
// The driver reads these at every operation, so a change made by a dialog
// takes effect at the next line change. Values are taken as stored: a pin
// outside the LPT pin table simply has no effect.
struct LineSettings {
    int32_t port_base = 888;  // I/O base address: 888 (LPT1), 632 (LPT2), 956 (LPT3)
    // LPT pins of the output lines (1-9, 14, 16, 17) and the input line (10-13, 15).
    int32_t vdd_pin = 4;
    int32_t vpp_pin = 5;
    int32_t clock_pin = 3;
    int32_t dataout_pin = 2;
    int32_t datain_pin = 10;
    // Non-zero: the programmer circuit inverts the line between the pin and the chip.
    int32_t vdd_inverted = 0;
    int32_t vpp_inverted = 0;
    int32_t clock_inverted = 1;
    int32_t dataout_inverted = 1;
    int32_t datain_inverted = 1;
};

// Shadow copies of the port registers. The data and control registers are
// always written from here and never read back, so lines not assigned to any
// function keep the level they were given at start-up.
struct PortShadow {
    int32_t data = 0;     // bits 0-7 written to port_base + 0
    int32_t status = 0;   // last byte read from port_base + 1
    int32_t control = 0;  // bits 0-7 written to port_base + 2
};

}  // namespace picprog
