#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/devices/device_model.h"
#include "core/devices/safety_keys.h"
#include "core/memory/memory_image.h"

namespace picprog {

// Power-up order of VDD and VPP.
enum class VoltageSequence : int32_t { NotSet = 0, VddFirst = 1, VppFirst = 2 };

// The converted values of the selected model, read by the buffer, the line
// driver, the engine, the HEX reader and writer and the display.
struct CurrentModel {
    int32_t index = 0;  // 1-based number of the model in the database
    std::string name;
    int32_t flash_size = 0;   // words
    int32_t eeprom_size = 0;  // bytes
    // Erased values of 2007h ([1]) and 2008h ([2]); -1 when the file does not
    // give four hexadecimal digits. [0] is unused.
    std::array<int32_t, 3> config_erased{0, -1, -1};
    bool config2_used = false;
    VoltageSequence voltage_sequence = VoltageSequence::NotSet;
    int32_t programming_time = 0;  // milliseconds; the user may override it
    int32_t page_size = 0;         // words
    // One instruction per entry, in lower case, split by split_instructions;
    // indexed by AlgorithmKind.
    std::array<std::vector<std::string>, kAlgorithmKinds> lists;
    // The model's optional chip-safety keys (device ID, configuration
    // masks, calibration); all absent for a model that does not give them.
    SafetyKeys safety;
    // The model's "warning:" text, blanks trimmed; empty when it has none.
    std::string warning;

    const std::vector<std::string>& list(AlgorithmKind kind) const {
        return lists[static_cast<size_t>(kind)];
    }

    // The shape of this model's program buffer, so that
    // image.blank_image(model) reads as it says.
    operator ImageShape() const { return {flash_size, eeprom_size, config_erased}; }
};

// Makes the model numbered current.index current: fills every other field
// from that model's record. Does nothing when the index is not a model number.
void select_model(CurrentModel& current, const DeviceDatabase& database);

// Splits an algorithm text into its instructions: lower case, split at every
// comma, nothing trimmed, adjacent commas giving an empty entry, one trailing
// comma giving no empty last entry. The empty text gives one empty entry.
std::vector<std::string> split_instructions(std::string_view text);

}  // namespace picprog
