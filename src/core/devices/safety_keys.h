#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/devices/device_model.h"

namespace picprog {

// The device ID a model's chip answers with at 2006h: `(read & mask) ==
// value` for any revision of the part.
struct DeviceIdKey {
    int32_t value = 0;
    int32_t mask = 0x3FFF;
};

// The optional chip-safety keys of one model, converted. A key the file
// does not give (or gives with a bad value) is absent here, and the
// programs then behave as they do without it.
struct SafetyKeys {
    std::optional<DeviceIdKey> device_id;
    // Implemented bits of 2007h ([0]) and 2008h ([1]); all 14 when absent.
    std::array<int32_t, 2> config_mask{0x3FFF, 0x3FFF};
    // Program word holding the factory RETLW oscillator calibration.
    std::optional<int32_t> osccal_address;
    // Factory calibration bits inside 2007h ([0]) and 2008h ([1]).
    std::array<int32_t, 2> config_calibration{0, 0};
    // Config-space words the chip never erases (calibration).
    std::vector<int32_t> calibration_words;

    // Bits of config word `slot` (1 = 2007h, 2 = 2008h) that Verify and
    // Blank Check compare: implemented and not calibration.
    int32_t compare_mask(int slot) const;
    // True when the calibration must be read before and kept across an erase.
    bool keeps_calibration() const {
        return osccal_address.has_value() || config_calibration[0] != 0 ||
               config_calibration[1] != 0;
    }
};

struct SafetyKeysParse {
    SafetyKeys keys;
    std::vector<std::string> problems;  // "deviceid: ...", one per bad key
};

// Converts the model's optional keys; `flash_words` bounds the calibration
// word's address.
SafetyKeysParse parse_safety_keys(const DeviceModel& model, int32_t flash_words);

// The RETLW instruction form a calibration word has (34xxh).
constexpr int32_t kRetlwMask = 0x3C00;
constexpr int32_t kRetlwOpcode = 0x3400;
constexpr bool is_retlw(int32_t word) {
    return (word & kRetlwMask) == kRetlwOpcode;
}

}  // namespace picprog
