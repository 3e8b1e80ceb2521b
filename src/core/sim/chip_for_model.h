#pragma once

#include <cstdint>
#include <string_view>

#include "core/devices/current_model.h"
#include "core/sim/chip_families.h"

namespace picprog {

// Sizes for a part the simulator does not know by name.
struct GenericChipShape {
    int32_t flash_words = 2048;
    int32_t eeprom_bytes = 128;
    // Erased values of 2007h and 2008h; a negative second value means the
    // part has only 2007h.
    int32_t config1_erased = 0x3FFF;
    int32_t config2_erased = -1;
};

// The generic part's shape for a model of the database: its own sizes and
// erased configuration values.
GenericChipShape shape_of(const CurrentModel& model);

// A part with the 16F627A/628A command set (one-word writes with 08h,
// immediate bulk erases, CP in bit 13, CPD in bit 8) and the given sizes.
// Sizes below 1 word (0 bytes) are raised to that.
ChipVariant generic_chip(const GenericChipShape& shape);

// The simulated part for a model name such as "16F628A" or "pic16f628a"
// (case-insensitive, "PIC" prefix and surrounding blanks optional). An
// unknown name gets generic_chip(fallback), named as given.
ChipVariant chip_for_model(std::string_view name, const GenericChipShape& fallback = {});

// True when the simulator has a family for the part named (same matching
// as chip_for_model); false when it would fall back to the generic part.
bool is_simulated_part(std::string_view name);

// The simulated part for a model of the database: by its name, or a generic
// part of its shape.
ChipVariant chip_for_model(const CurrentModel& model);

}  // namespace picprog
