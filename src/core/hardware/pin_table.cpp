#include "core/hardware/pin_table.h"

#include <array>

namespace picprog {
namespace {

constexpr int32_t kFirstPin = 1;
constexpr int32_t kLastSignalPin = 17;
constexpr int32_t kFirstGroundPin = 18;
constexpr int32_t kLastGroundPin = 25;
constexpr std::string_view kGroundName = "Gnd";

constexpr PinInfo out_data(uint8_t mask, std::string_view name) {
    return {PortRegister::Data, mask, true, false, name};
}
constexpr PinInfo out_control(uint8_t mask, bool inverted, std::string_view name) {
    return {PortRegister::Control, mask, true, inverted, name};
}
constexpr PinInfo in_status(uint8_t mask, bool inverted, std::string_view name) {
    return {PortRegister::Status, mask, false, inverted, name};
}

// Indexed by pin number - 1.
constexpr std::array<PinInfo, kLastSignalPin> kPins = {{
    out_control(0x01, true, "\\C0"),  // 1
    out_data(0x01, "D0"),             // 2
    out_data(0x02, "D1"),             // 3
    out_data(0x04, "D2"),             // 4
    out_data(0x08, "D3"),             // 5
    out_data(0x10, "D4"),             // 6
    out_data(0x20, "D5"),             // 7
    out_data(0x40, "D6"),             // 8
    out_data(0x80, "D7"),             // 9
    in_status(0x40, false, "S6"),     // 10
    in_status(0x80, true, "\\S7"),    // 11
    in_status(0x20, false, "S5"),     // 12
    in_status(0x10, false, "S4"),     // 13
    out_control(0x02, true, "\\C1"),  // 14
    in_status(0x08, false, "S3"),     // 15
    out_control(0x04, false, "C2"),   // 16
    out_control(0x08, true, "\\C3"),  // 17
}};

void set_level(PortShadow& shadow, int32_t pin, bool high) {
    const PinInfo* info = find_pin(pin);
    if (info == nullptr || !info->output) {
        return;
    }
    int32_t& reg = info->reg == PortRegister::Data ? shadow.data : shadow.control;
    if (high != info->hardware_inverted) {
        reg |= info->mask;
    } else {
        reg &= ~static_cast<int32_t>(info->mask);
    }
}

}  // namespace

const PinInfo* find_pin(int32_t pin) {
    if (pin < kFirstPin || pin > kLastSignalPin) {
        return nullptr;
    }
    return &kPins[static_cast<size_t>(pin - kFirstPin)];
}

std::string pin_name(int32_t pin) {
    if (const PinInfo* info = find_pin(pin)) {
        return std::string(info->name);
    }
    if (pin >= kFirstGroundPin && pin <= kLastGroundPin) {
        return std::string(kGroundName);
    }
    return {};
}

void pin_high(PortShadow& shadow, int32_t pin) {
    set_level(shadow, pin, true);
}

void pin_low(PortShadow& shadow, int32_t pin) {
    set_level(shadow, pin, false);
}

int32_t read_status_pin(const PortShadow& shadow, int32_t pin) {
    const PinInfo* info = find_pin(pin);
    if (info == nullptr || info->reg != PortRegister::Status) {
        return 0;
    }
    const bool bit_set = (shadow.status & info->mask) != 0;
    return bit_set != info->hardware_inverted ? 1 : 0;
}

}  // namespace picprog
