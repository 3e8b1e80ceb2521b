#pragma once

#include <cstdint>
#include <vector>

#include "core/hardware/driver_fixture.h"

namespace picprog::test_support {

// The DATA OUT levels at the falling CLOCK edges of the serial frames, so a
// test can write the frames it expects and compare them with the traffic.
class Frames {
public:
    Frames& command(int32_t code) {
        append(code, 6);
        return *this;
    }
    Frames& load(int32_t code, int32_t data) {
        append(code, 6);
        bits_.push_back(0);  // start bit
        append(data, 14);
        bits_.push_back(0);  // stop bit
        return *this;
    }
    // A read leaves DATA OUT released (high) for its 16 clocks.
    Frames& read(int32_t code) {
        append(code, 6);
        bits_.insert(bits_.end(), 16, 1);
        return *this;
    }
    const std::vector<int>& bits() const { return bits_; }

private:
    void append(int32_t value, int count) {
        const std::vector<int> more = lsb_first(value, count);
        bits_.insert(bits_.end(), more.begin(), more.end());
    }
    std::vector<int> bits_;
};

}  // namespace picprog::test_support
