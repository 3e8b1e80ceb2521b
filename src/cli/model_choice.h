#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/devices/device_model.h"

namespace picprog {

// The model a --model argument names: a model number (1 to the model count)
// or a model name, compared without regard to case or surrounding blanks and
// with the "PIC" prefix optional on either side ("16f628a" finds
// "PIC16F628A"). nullopt when nothing matches.
std::optional<int32_t> find_model(const DeviceDatabase& database, std::string_view argument);

}  // namespace picprog
