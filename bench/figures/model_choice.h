#pragma once

#include <cstdint>
#include <string_view>

#include "core/devices/device_model.h"

namespace picprog::bench {

// Number (1-based) of the model with the most FLASH words; among equals the
// one with the most EEPROM bytes, and among those the first in the file.
// 0 when the database holds no model.
int32_t largest_model(const DeviceDatabase& database);

// Number of the model called `name` (letter case ignored); 0 when none is.
int32_t model_named(const DeviceDatabase& database, std::string_view name);

}  // namespace picprog::bench
