#include "core/sim/programmer_circuit.h"

#include <array>

namespace picprog {
namespace {

enum class Register : uint8_t { Data, Control };

struct OutputPin {
    int32_t pin;
    Register reg;
    uint8_t mask;
    bool port_inverted;
};

constexpr std::array<OutputPin, 12> kOutputPins = {{
    {1, Register::Control, 0x01, true},
    {2, Register::Data, 0x01, false},
    {3, Register::Data, 0x02, false},
    {4, Register::Data, 0x04, false},
    {5, Register::Data, 0x08, false},
    {6, Register::Data, 0x10, false},
    {7, Register::Data, 0x20, false},
    {8, Register::Data, 0x40, false},
    {9, Register::Data, 0x80, false},
    {14, Register::Control, 0x02, true},
    {16, Register::Control, 0x04, false},
    {17, Register::Control, 0x08, true},
}};

struct InputPin {
    int32_t pin;
    uint8_t mask;
    bool port_inverted;
};

constexpr std::array<InputPin, 5> kInputPins = {{
    {10, 0x40, false},
    {11, 0x80, true},
    {12, 0x20, false},
    {13, 0x10, false},
    {15, 0x08, false},
}};

bool line_level(const WiredLine& line, uint8_t data, uint8_t control) {
    return output_pin_level(line.pin, data, control) != line.inverted;
}

}  // namespace

bool output_pin_level(int32_t pin, uint8_t data, uint8_t control) {
    for (const OutputPin& p : kOutputPins) {
        if (p.pin == pin) {
            const uint8_t reg = p.reg == Register::Data ? data : control;
            return ((reg & p.mask) != 0) != p.port_inverted;
        }
    }
    return false;
}

DrivenLines driven_lines(const CircuitWiring& wiring, uint8_t data, uint8_t control) {
    return DrivenLines{.vdd = line_level(wiring.vdd, data, control),
                       .vpp = line_level(wiring.vpp, data, control),
                       .clock = line_level(wiring.clock, data, control),
                       .data_released = line_level(wiring.data_out, data, control)};
}

uint8_t status_register(const CircuitWiring& wiring, bool data_line_high) {
    uint8_t status = kStatusUnusedBits;
    const bool pin_level = data_line_high != wiring.data_in.inverted;
    for (const InputPin& p : kInputPins) {
        // Unconnected inputs float high through the port's pull-ups.
        const bool level = p.pin == wiring.data_in.pin ? pin_level : true;
        if (level != p.port_inverted) {
            status = static_cast<uint8_t>(status | p.mask);
        }
    }
    return status;
}

}  // namespace picprog
