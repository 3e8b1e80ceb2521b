#pragma once

#include <cstdint>

#include "core/hardware/rule_violation.h"

namespace picprog {

// The one way the system reaches a parallel port. Real back ends talk to the
// hardware and really wait; the simulated programmer advances a virtual
// clock instead.
class PortBackend {
public:
    virtual ~PortBackend() = default;

    // Writes one byte to an I/O address (port base + 0 data, + 2 control).
    virtual void write(int32_t address, uint8_t value) = 0;
    // Reads one byte from an I/O address (port base + 1 status).
    virtual uint8_t read(int32_t address) = 0;
    // Blocks for `ms` milliseconds (power-up, power-down, wait instructions).
    virtual void sleep_ms(int32_t ms) = 0;
    // Blocks for at least `us` microseconds (the pause after a command).
    virtual void delay_us(int32_t us) = 0;
    // Hands over the chip rules broken since the last call and forgets
    // them. Only a simulated chip can see such breaks; a real port has none.
    virtual RuleViolations take_violations() { return {}; }
};

}  // namespace picprog
