#include "core/hardware/line_trace_backend.h"

#include <chrono>

#include "core/hardware/pin_table.h"

namespace picprog {
namespace {

constexpr int32_t kStatusOffset = 1;
constexpr int32_t kControlOffset = 2;

}  // namespace

LineTraceBackend::LineTraceBackend(PortBackend& inner, const LineSettings& settings,
                                   std::ostream& out, MicrosecondClock clock)
    : inner_(inner), settings_(settings), trace_(out), clock_(std::move(clock)) {}

void LineTraceBackend::write(int32_t address, uint8_t value) {
    inner_.write(address, value);
    if (address == settings_.port_base) {
        data_ = value;
    } else if (address == settings_.port_base + kControlOffset) {
        control_ = value;
    } else {
        return;
    }
    record();
}

uint8_t LineTraceBackend::read(int32_t address) {
    const uint8_t value = inner_.read(address);
    if (address == settings_.port_base + kStatusOffset) {
        status_ = value;
        record();
    }
    return value;
}

void LineTraceBackend::sleep_ms(int32_t ms) { inner_.sleep_ms(ms); }
void LineTraceBackend::delay_us(int32_t us) { inner_.delay_us(us); }

TraceLevels LineTraceBackend::levels() const {
    auto level = [this](int32_t pin, int32_t inverted) {
        const PinInfo* info = find_pin(pin);
        if (info == nullptr) {
            return false;
        }
        uint8_t reg = data_;
        if (info->reg == PortRegister::Control) {
            reg = control_;
        } else if (info->reg == PortRegister::Status) {
            reg = status_;
        }
        const bool electrical = ((reg & info->mask) != 0) != info->hardware_inverted;
        return electrical != (inverted != 0);
    };
    TraceLevels levels;
    levels.vdd = level(settings_.vdd_pin, settings_.vdd_inverted);
    levels.vpp = level(settings_.vpp_pin, settings_.vpp_inverted);
    levels.clock = level(settings_.clock_pin, settings_.clock_inverted);
    levels.data_out = level(settings_.dataout_pin, settings_.dataout_inverted);
    levels.data_in = level(settings_.datain_pin, settings_.datain_inverted);
    return levels;
}

void LineTraceBackend::record() { trace_.record(clock_(), levels()); }

MicrosecondClock real_microsecond_clock() {
    const auto start = std::chrono::steady_clock::now();
    return [start] {
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::steady_clock::now() - start)
            .count();
    };
}

}  // namespace picprog
