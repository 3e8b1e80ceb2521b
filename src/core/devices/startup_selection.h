#pragma once

#include <cstdint>

#include "core/settings/settings_store.h"

namespace picprog {

// The model number to select at start-up: the leading number of the stored
// "Microcontroller Model" (default "1"); when it is not a model number the
// answer is 1 and "1" is stored back.
int32_t startup_model_index(SettingsStore& settings, int32_t model_count);

}  // namespace picprog
