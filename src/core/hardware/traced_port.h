#pragma once

#include <memory>
#include <ostream>

#include "core/hardware/line_settings.h"
#include "core/hardware/line_trace_backend.h"
#include "core/hardware/port_backend.h"

namespace picprog {

// A port back end that owns the back end it records: the programmer object
// owns exactly one back end, so the recorder and the port it wraps travel
// together. Every access is passed on unchanged.
class TracedPort : public PortBackend {
public:
    // `settings` and `out` must outlive the port.
    TracedPort(std::unique_ptr<PortBackend> inner, const LineSettings& settings, std::ostream& out,
               MicrosecondClock clock);
    // The same, keeping the stream: it is flushed and closed with the port.
    TracedPort(std::unique_ptr<PortBackend> inner, const LineSettings& settings,
               std::unique_ptr<std::ostream> owned_out, MicrosecondClock clock);

    void write(int32_t address, uint8_t value) override { trace_.write(address, value); }
    uint8_t read(int32_t address) override { return trace_.read(address); }
    void sleep_ms(int32_t ms) override { trace_.sleep_ms(ms); }
    void delay_us(int32_t us) override { trace_.delay_us(us); }
    RuleViolations take_violations() override { return inner_->take_violations(); }

    // The port being recorded.
    PortBackend& inner() { return *inner_; }
    // Ends the recording (the stream is flushed) and hands the recorded
    // port back; this object must not be used for port access afterwards.
    std::unique_ptr<PortBackend> release_inner();

private:
    std::unique_ptr<std::ostream> owned_out_;
    std::ostream& out_;
    std::unique_ptr<PortBackend> inner_;
    LineTraceBackend trace_;
};

// The port behind any recorder: `port` itself when it is not recorded.
PortBackend& untraced(PortBackend& port);

}  // namespace picprog
