#include "core/sim/simulated_programmer.h"

#include <chrono>
#include <thread>
#include <utility>

namespace picprog {
namespace {

constexpr int32_t kDataOffset = 0;
constexpr int32_t kStatusOffset = 1;
constexpr int32_t kControlOffset = 2;
constexpr uint8_t kFloatingBus = 0xFF;
constexpr int64_t kMicrosPerMilli = 1000;

}  // namespace

SimulatedProgrammer::SimulatedProgrammer(ChipVariant part, CircuitWiring wiring)
    : chip_(std::move(part)), wiring_(wiring) {
    propagate();
}

void SimulatedProgrammer::write(int32_t address, uint8_t value) {
    advance(access_time_us_);
    const int64_t offset = static_cast<int64_t>(address) - wiring_.port_base;
    if (offset == kDataOffset) {
        data_ = value;
    } else if (offset == kControlOffset) {
        control_ = value;
    } else {
        return;
    }
    propagate();
}

uint8_t SimulatedProgrammer::read(int32_t address) {
    advance(access_time_us_);
    const int64_t offset = static_cast<int64_t>(address) - wiring_.port_base;
    switch (offset) {
        case kDataOffset:
            return data_;
        case kStatusOffset:
            return status_register(wiring_, data_line_high(driven_lines(wiring_, data_, control_)));
        case kControlOffset:
            return control_;
        default:
            return kFloatingBus;
    }
}

void SimulatedProgrammer::sleep_ms(int32_t ms) {
    if (ms <= 0) {
        return;
    }
    if (real_sleep_) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
    advance(ms * kMicrosPerMilli);
}

void SimulatedProgrammer::delay_us(int32_t us) {
    if (us > 0) {
        advance(us);
    }
}

void SimulatedProgrammer::set_wiring(const CircuitWiring& wiring) {
    wiring_ = wiring;
    propagate();
}

void SimulatedProgrammer::set_faults(const SimulatorFaults& faults) {
    faults_ = faults;
    chip_.memory().set_stuck_bit(faults.stuck_bit);
    chip_.set_timing_scale(faults.timing_scale);
    propagate();
}

void SimulatedProgrammer::set_trace(VcdTrace* trace) {
    trace_ = trace;
    if (trace_ != nullptr) {
        trace_->record(now_us_, levels());
    }
}

TraceLevels SimulatedProgrammer::levels() const {
    const DrivenLines lines = driven_lines(wiring_, data_, control_);
    return TraceLevels{.vdd = lines.vdd && !vdd_dropped(now_us_),
                       .vpp = lines.vpp,
                       .clock = lines.clock,
                       .data_out = lines.data_released,
                       .data_in = data_line_high(lines)};
}

PicChip& SimulatedProgrammer::chip() {
    chip_.settle(now_us_);
    return chip_;
}

void SimulatedProgrammer::advance(int64_t us) {
    const int64_t before = now_us_;
    now_us_ += us;
    if (faults_.vdd_drop_at_us) {
        // The supply can fail and come back in the middle of a wait, when
        // no port access tells the chip; hand it both moments.
        const int64_t start = *faults_.vdd_drop_at_us;
        const int64_t end = start + faults_.vdd_drop_length_us;
        if (before < start && now_us_ >= start) {
            apply_pins(start);
        }
        if (before < end && now_us_ >= end) {
            apply_pins(end);
        }
    }
    chip_.settle(now_us_);
}

bool SimulatedProgrammer::vdd_dropped(int64_t time_us) const {
    return faults_.vdd_drop_at_us && time_us >= *faults_.vdd_drop_at_us &&
           time_us < *faults_.vdd_drop_at_us + faults_.vdd_drop_length_us;
}

// The chip sees the DATA line as the PC leaves it, pulled low by itself
// while it is driving a 0 (open collector on both sides).
void SimulatedProgrammer::propagate() {
    apply_pins(now_us_);
    if (trace_ != nullptr) {
        trace_->record(now_us_, levels());
    }
}

void SimulatedProgrammer::apply_pins(int64_t time_us) {
    if (faults_.no_chip) {
        return;
    }
    const DrivenLines lines = driven_lines(wiring_, data_, control_);
    chip_.set_pins(ChipPins{.vdd = lines.vdd && !vdd_dropped(time_us),
                            .vpp = lines.vpp,
                            .clock = lines.clock,
                            .data = lines.data_released && !chip_.pulls_data_low()},
                   time_us);
}

bool SimulatedProgrammer::data_line_high(const DrivenLines& lines) const {
    if (faults_.data_in_stuck) {
        return *faults_.data_in_stuck;
    }
    const bool chip_pulls = !faults_.no_chip && chip_.pulls_data_low();
    return lines.data_released && !chip_pulls;
}

}  // namespace picprog
