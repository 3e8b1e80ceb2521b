#pragma once

#include <cstdint>
#include <functional>
#include <ostream>

#include "core/hardware/line_settings.h"
#include "core/hardware/port_backend.h"
#include "core/trace/vcd_trace.h"

namespace picprog {

// Microseconds from any fixed start, for time stamps.
using MicrosecondClock = std::function<int64_t()>;

// Wraps any port back end and records the five programmer lines, as the
// line settings define them, into a VCD file: one wire per line, a change
// written at every register access that changes a line. Every access is
// passed on unchanged.
class LineTraceBackend : public PortBackend {
public:
    // `inner`, `settings` and `out` must outlive the wrapper. `clock` gives
    // the time stamps: the simulator's virtual clock or a real one.
    LineTraceBackend(PortBackend& inner, const LineSettings& settings, std::ostream& out,
                     MicrosecondClock clock);

    void write(int32_t address, uint8_t value) override;
    uint8_t read(int32_t address) override;
    void sleep_ms(int32_t ms) override;
    void delay_us(int32_t us) override;
    RuleViolations take_violations() override { return inner_.take_violations(); }

    // The line levels as last seen in the registers.
    TraceLevels levels() const;

private:
    void record();

    PortBackend& inner_;
    const LineSettings& settings_;
    VcdTrace trace_;
    MicrosecondClock clock_;
    uint8_t data_ = 0;
    uint8_t control_ = 0;
    uint8_t status_ = 0;
};

// A real monotonic microsecond clock.
MicrosecondClock real_microsecond_clock();

}  // namespace picprog
