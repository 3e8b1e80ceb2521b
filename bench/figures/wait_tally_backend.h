#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "core/hardware/port_backend.h"

namespace picprog::bench {

// Passes every call on to another back end and keeps count on the way: the
// port accesses, and every wait as it was asked for (not as long as it
// turned out to take), so a run's wall time can be set against the time
// the chip's algorithm itself demands.
class WaitTallyBackend final : public PortBackend {
public:
    explicit WaitTallyBackend(std::unique_ptr<PortBackend> inner) : inner_(std::move(inner)) {}

    void write(int32_t address, uint8_t value) override {
        ++accesses_;
        inner_->write(address, value);
    }
    uint8_t read(int32_t address) override {
        ++accesses_;
        return inner_->read(address);
    }
    void sleep_ms(int32_t ms) override {
        ++sleeps_;
        slept_ms_ += ms > 0 ? ms : 0;
        inner_->sleep_ms(ms);
    }
    void delay_us(int32_t us) override {
        ++delays_;
        delayed_us_ += us > 0 ? us : 0;
        inner_->delay_us(us);
    }

    PortBackend& inner() { return *inner_; }
    int64_t accesses() const { return accesses_; }
    // Number of sleep_ms calls and the milliseconds they asked for.
    int64_t sleeps() const { return sleeps_; }
    int64_t slept_ms() const { return slept_ms_; }
    // Number of delay_us calls and the microseconds they asked for.
    int64_t delays() const { return delays_; }
    int64_t delayed_us() const { return delayed_us_; }

private:
    std::unique_ptr<PortBackend> inner_;
    int64_t accesses_ = 0;
    int64_t sleeps_ = 0;
    int64_t slept_ms_ = 0;
    int64_t delays_ = 0;
    int64_t delayed_us_ = 0;
};

}  // namespace picprog::bench
