#pragma once

#include <cstdint>

namespace picprog {

// One programmer line: the LPT connector pin it is soldered to and whether
// the circuit inverts it between that pin and the chip.
struct WiredLine {
    int32_t pin = 0;
    bool inverted = false;
};

// How a programmer board is wired to the port. The default board matches
// the default hardware settings; a board that does not match the settings
// simply produces wrong levels.
struct CircuitWiring {
    int32_t port_base = 888;
    WiredLine vdd{4, false};
    WiredLine vpp{5, false};
    WiredLine clock{3, true};
    WiredLine data_out{2, true};  // open collector: "high" releases the line
    WiredLine data_in{10, true};
};

// Logical levels the board drives towards the chip.
struct DrivenLines {
    bool vdd = false;
    bool vpp = false;
    bool clock = false;
    bool data_released = false;  // false: the PC side pulls DATA low
};

// Electrical level of an LPT output pin for the given register contents,
// including the port's own inversion of pins 1, 14 and 17. Pins that are
// not outputs read low.
bool output_pin_level(int32_t pin, uint8_t data, uint8_t control);

// The lines the board drives for the given register contents.
DrivenLines driven_lines(const CircuitWiring& wiring, uint8_t data, uint8_t control);

// The status register as the PC reads it: the DATA line reaches the DATA IN
// pin through the board's inversion, every other input pin floats high, the
// port inverts pin 11, and bits 0-2 read as kStatusUnusedBits.
uint8_t status_register(const CircuitWiring& wiring, bool data_line_high);

constexpr uint8_t kStatusUnusedBits = 0x07;

}  // namespace picprog
