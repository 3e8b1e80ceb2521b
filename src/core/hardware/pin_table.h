#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/hardware/line_settings.h"

namespace picprog {

// Which port register an LPT pin belongs to.
enum class PortRegister : uint8_t { Data, Status, Control };

// One row of the LPT pin table.
struct PinInfo {
    PortRegister reg;
    uint8_t mask;            // the pin's bit in its register
    bool output;             // data and control pins drive; status pins are read
    bool hardware_inverted;  // the port itself inverts the level against the bit
    std::string_view name;   // caption text; a leading "\" marks hardware inversion
};

// The row for LPT pin 1-17, or nullptr for any other number (ground pins
// 18-25 included: they carry no signal).
const PinInfo* find_pin(int32_t pin);

// Caption of a pin: its register bit name for pins 1-17 ("\C0", "D0", "\S7"),
// "Gnd" for the ground pins 18-25, empty for any other number.
std::string pin_name(int32_t pin);

// Make the electrical level of output `pin` high (low) by changing its bit in
// the shadow, honouring the port's own inversion of pins 1, 14 and 17. Input
// pins and numbers outside the table change nothing. No port access.
void pin_high(PortShadow& shadow, int32_t pin);
void pin_low(PortShadow& shadow, int32_t pin);

// Electrical level (0 or 1) of input `pin` as found in the status shadow,
// honouring the port's own inversion of pin 11. Output pins and numbers
// outside the table read 0. Does not read the port.
int32_t read_status_pin(const PortShadow& shadow, int32_t pin);

}  // namespace picprog
