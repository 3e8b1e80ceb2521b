#pragma once

#include <cstdint>
#include <string>

#include "core/devices/device_model.h"

namespace picprog {

// The largest memories a 14-bit PIC has: FLASH words, EEPROM bytes, and so
// the largest page a FLASH can be written in.
inline constexpr int32_t kMaxFlashWords = 8192;
inline constexpr int32_t kMaxEepromBytes = 256;
inline constexpr int32_t kMaxPageWords = kMaxFlashWords;

// Why the model's sizes make it unusable ("flash: 2000000000 is outside 0
// to 8192 words"), or empty when FLASH, EEPROM and page size all lie in
// 0..their maximum. Reads the values as select_model converts them.
std::string model_size_problem(const DeviceModel& model);

}  // namespace picprog
