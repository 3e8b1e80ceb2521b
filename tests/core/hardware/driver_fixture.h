#pragma once

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "core/hardware/line_driver.h"
#include "core/hardware/line_settings.h"
#include "core/hardware/recording_backend.h"

namespace picprog::test_support {

// A driver on a recording back end with a counting event pump.
struct DriverFixture {
    LineSettings settings;
    PortShadow shadow;
    RecordingBackend backend;
    int pump_calls = 0;
    LineDriver driver{settings, shadow, backend, [this] { ++pump_calls; }};

    // Forgets the traffic and pump calls so far.
    void reset_record() {
        backend.clear();
        pump_calls = 0;
    }

    int count(PortAccess::Kind kind) const {
        int n = 0;
        for (const PortAccess& a : backend.accesses()) {
            n += a.kind == kind ? 1 : 0;
        }
        return n;
    }
};

// Logical levels of CLOCK and DATA OUT after one flush, rebuilt from the byte
// written to the data register: the pin level is the register bit (pins 2-9
// are not inverted by the port) and the circuit's flag inverts it again.
struct WireState {
    int clock;
    int dataout;
    bool operator==(const WireState&) const = default;
};

inline int data_pin_level(uint8_t data, int32_t pin) {
    return (data >> (pin - 2)) & 1;
}

inline std::vector<WireState> wire_states(const RecordingBackend& backend, const LineSettings& s) {
    std::vector<WireState> states;
    for (const PortAccess& a : backend.accesses()) {
        if (a.kind != PortAccess::Kind::Write || a.address != s.port_base) {
            continue;
        }
        states.push_back({data_pin_level(a.value, s.clock_pin) ^ (s.clock_inverted != 0),
                          data_pin_level(a.value, s.dataout_pin) ^ (s.dataout_inverted != 0)});
    }
    return states;
}

// DATA OUT at every falling edge of the logical CLOCK, which is where the
// chip latches it. `clock_before` is the CLOCK level before the recording.
inline std::vector<int> bits_at_falling_edges(const RecordingBackend& backend,
                                              const LineSettings& s, int clock_before = 0) {
    std::vector<int> bits;
    int clock = clock_before;
    for (const WireState& w : wire_states(backend, s)) {
        if (clock == 1 && w.clock == 0) {
            bits.push_back(w.dataout);
        }
        clock = w.clock;
    }
    return bits;
}

// The bits of `value` from bit 0 up, `count` of them.
inline std::vector<int> lsb_first(int32_t value, int count) {
    std::vector<int> bits;
    for (int i = 0; i < count; ++i) {
        bits.push_back((value >> i) & 1);
    }
    return bits;
}

}  // namespace picprog::test_support
