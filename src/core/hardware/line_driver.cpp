#include "core/hardware/line_driver.h"

#include <utility>

#include "core/hardware/pin_table.h"

namespace picprog {
namespace {

constexpr int32_t kDataOffset = 0;
constexpr int32_t kStatusOffset = 1;
constexpr int32_t kControlOffset = 2;
constexpr int32_t kRegisterMask = 0xFF;

constexpr int32_t kSupplySettleMs = 50;
// TDLY between a command and its data or the next command is 1 us on every
// supported family.
constexpr int32_t kCommandDelayUs = 1;

constexpr int32_t kCommandBits = 6;
constexpr int32_t kMaxCommand = (1 << kCommandBits) - 1;
constexpr int32_t kDataBits = 14;
constexpr int32_t kMaxData = (1 << kDataBits) - 1;

// A stored port base near the top of the range must not overflow: the
// address wraps like the hardware's address arithmetic would.
int32_t register_address(int32_t base, int32_t offset) {
    return static_cast<int32_t>(static_cast<uint32_t>(base) + static_cast<uint32_t>(offset));
}

uint8_t register_byte(int32_t shadow) {
    return static_cast<uint8_t>(shadow & kRegisterMask);
}

}  // namespace

LineDriver::LineDriver(LineSettings& settings, PortShadow& shadow, PortBackend& backend,
                       EventPump pump)
    : settings_(settings), shadow_(shadow), backend_(&backend), pump_(std::move(pump)) {}

void LineDriver::set_event_pump(EventPump pump) {
    pump_ = std::move(pump);
}

void LineDriver::flush_port() {
    const int32_t base = settings_.port_base;
    backend_->write(register_address(base, kDataOffset), register_byte(shadow_.data));
    backend_->write(register_address(base, kControlOffset), register_byte(shadow_.control));
    shadow_.status = backend_->read(register_address(base, kStatusOffset));
    yield();
}

void LineDriver::drive(int32_t pin, int32_t inverted, bool on) {
    if (on == (inverted == 0)) {
        pin_high(shadow_, pin);
    } else {
        pin_low(shadow_, pin);
    }
    flush_port();
}

void LineDriver::vdd_on() {
    drive(settings_.vdd_pin, settings_.vdd_inverted, true);
}
void LineDriver::vdd_off() {
    drive(settings_.vdd_pin, settings_.vdd_inverted, false);
}
void LineDriver::vpp_on() {
    drive(settings_.vpp_pin, settings_.vpp_inverted, true);
}
void LineDriver::vpp_off() {
    drive(settings_.vpp_pin, settings_.vpp_inverted, false);
}
void LineDriver::clock_high() {
    drive(settings_.clock_pin, settings_.clock_inverted, true);
}
void LineDriver::clock_low() {
    drive(settings_.clock_pin, settings_.clock_inverted, false);
}
void LineDriver::dataout_high() {
    drive(settings_.dataout_pin, settings_.dataout_inverted, true);
}
void LineDriver::dataout_low() {
    drive(settings_.dataout_pin, settings_.dataout_inverted, false);
}

int32_t LineDriver::read_datain() {
    flush_port();
    const int32_t level = read_status_pin(shadow_, settings_.datain_pin);
    return settings_.datain_inverted == 0 ? level : 1 - level;
}

void LineDriver::all_lines_off() {
    vdd_off();
    vpp_off();
    clock_low();
    dataout_low();
}

void LineDriver::power_up(VoltageSequence sequence) {
    switch (sequence) {
        case VoltageSequence::VddFirst:
            vdd_on();
            backend_->sleep_ms(kSupplySettleMs);
            vpp_on();
            backend_->sleep_ms(kSupplySettleMs);
            break;
        case VoltageSequence::VppFirst:
            vpp_on();
            backend_->sleep_ms(kSupplySettleMs);
            vdd_on();
            backend_->sleep_ms(kSupplySettleMs);
            break;
        case VoltageSequence::NotSet:
            break;
    }
}

void LineDriver::power_down() {
    vdd_off();
    backend_->sleep_ms(kSupplySettleMs);
    vpp_off();
    backend_->sleep_ms(kSupplySettleMs);
}

// DATA OUT changes while CLOCK is high, so it is settled well before the
// falling edge on which the chip latches it.
void LineDriver::clock_out_bit(bool bit) {
    clock_high();
    yield();
    if (bit) {
        dataout_high();
    } else {
        dataout_low();
    }
    yield();
    clock_low();
    yield();
}

void LineDriver::clock_out_command(int32_t command) {
    for (int32_t i = 0; i < kCommandBits; ++i) {
        clock_out_bit(((command >> i) & 1) != 0);
    }
}

void LineDriver::clock_pulse() {
    clock_high();
    yield();
    clock_low();
    yield();
}

void LineDriver::send_command(int32_t command) {
    if (command < 0 || command > kMaxCommand) {
        return;
    }
    clock_out_command(command);
    dataout_low();
    yield();
}

void LineDriver::send_command_with_data(int32_t command, int32_t data) {
    if (command < 0 || command > kMaxCommand || data < 0 || data > kMaxData) {
        return;
    }
    clock_out_command(command);
    // Start bit: the chip ignores its value, but it needs the clock.
    dataout_low();
    yield();
    clock_pulse();
    for (int32_t i = 0; i < kDataBits; ++i) {
        clock_out_bit(((data >> i) & 1) != 0);
    }
    // Stop bit, likewise only for its clock.
    dataout_low();
    yield();
    clock_pulse();
}

int32_t LineDriver::send_command_read_data(int32_t command) {
    if (command < 0 || command > kMaxCommand) {
        return 0;
    }
    clock_out_command(command);
    // Release DATA OUT (high through the pull-up) so the chip can drive the
    // shared data line, then give the start clock.
    dataout_high();
    yield();
    clock_pulse();
    int32_t result = 0;
    for (int32_t i = 0; i < kDataBits; ++i) {
        clock_high();
        yield();
        if (read_datain() == 1) {
            result |= 1 << i;
        }
        clock_low();
        yield();
    }
    clock_pulse();  // stop clock
    dataout_low();
    yield();
    return result;
}

// A busy loop of a hundred additions would be optimised away and lasts no
// fixed time on a modern CPU anyway; the back end guarantees the pause.
void LineDriver::short_delay() {
    backend_->delay_us(kCommandDelayUs);
}

}  // namespace picprog
