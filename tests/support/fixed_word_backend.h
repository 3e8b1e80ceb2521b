#pragma once

#include <cstdint>

#include "core/hardware/line_settings.h"
#include "core/hardware/recording_backend.h"

namespace picprog::test_support {

// A recording back end that answers every read frame with the same 14-bit
// word, for lists made only of read frames (22 clocks each). It follows the
// CLOCK pin in the data register writes and puts each word bit on DATA IN
// for the sampling clocks 8 to 21 of each frame.
class FixedWordBackend : public RecordingBackend {
public:
    FixedWordBackend(const LineSettings& settings, int32_t word)
        : settings_(settings), word_(word) {}

    void write(int32_t address, uint8_t value) override {
        RecordingBackend::write(address, value);
        if (address != settings_.port_base) {
            return;
        }
        const int level =
            ((value >> (settings_.clock_pin - 2)) & 1) ^ (settings_.clock_inverted != 0);
        if (level == 1 && clock_ == 0) {
            rising_edges_ = rising_edges_ % kFrameClocks + 1;
        }
        clock_ = level;
    }

    void set_word(int32_t word) { word_ = word; }

    uint8_t read(int32_t address) override {
        RecordingBackend::read(address);
        int bit = 1;
        if (clock_ == 1 && rising_edges_ >= 8 && rising_edges_ <= 21) {
            bit = (word_ >> (rising_edges_ - 8)) & 1;
        }
        // DATA IN on pin 10 (S6); the circuit's inversion applies.
        const int pin_level = bit ^ (settings_.datain_inverted != 0);
        return pin_level ? kS6 : 0;
    }

private:
    static constexpr int kFrameClocks = 22;
    static constexpr uint8_t kS6 = 0x40;
    const LineSettings& settings_;
    int32_t word_;
    int clock_ = 0;
    int rising_edges_ = 0;
};

}  // namespace picprog::test_support
