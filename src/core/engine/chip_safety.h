#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/engine/operation_view.h"
#include "core/engine/programmer.h"

namespace picprog {

// Why the checks before an operation stopped it; the chip is powered down
// and the user has been told.
struct SafetyStop {
    std::string status;  // the status line's text
};

// The device-ID check before an operation, for a model that gives its ID
// (and while programmer.check_device_id is on): no chip stops with the
// no-chip message; another chip asks whether to go on anyway. Returns the
// stop, or nullopt to go on.
std::optional<SafetyStop> check_chip_in_socket(Programmer& programmer, OperationView& view);

// The factory calibration a chip holds, read before it is erased.
struct ChipCalibration {
    std::optional<int32_t> osccal;             // the RETLW word, when the model has one
    std::array<int32_t, 2> config_bits{0, 0};  // calibration bits of 2007h, 2008h
};

// Reads the calibration the model says the chip holds. A calibration word
// that is not a RETLW (34xxh) was lost before: the user is asked for the
// value to restore (the view's input box); no valid answer stops.
std::optional<ChipCalibration> read_calibration(Programmer& programmer, OperationView& view,
                                                SafetyStop& stop);

// A calibration value as a person types it ("3450", "3450h", " 34a0 "):
// the word when it is a RETLW (34xxh), nullopt otherwise.
std::optional<int32_t> parse_retlw(std::string_view text);

// Puts the chip's own calibration into `image`: the calibration word, and
// the calibration bits of the configuration word(s).
void apply_calibration(const ChipCalibration& calibration, const SafetyKeys& keys,
                       MemoryImage& image);

}  // namespace picprog
