#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/devices/device_model.h"

namespace picprog {

// How a model's algorithms fared on a fresh simulated chip of its part.
enum class TrialVerdict {
    Clean,         // every step passed and no chip rule was broken
    Failed,        // see problems
    NotSimulated,  // the simulator has no family for the part: nothing was run
};

struct ModelTrial {
    TrialVerdict verdict = TrialVerdict::Clean;
    // One line per problem, starting with the step ("Program All: ...").
    std::vector<std::string> problems;
};

// Runs model `number` of `database` the way a user would on a new chip:
// Erase All, Blank Check, Program All of an image that fills FLASH, EEPROM
// and the configuration word(s), Verify, Read All compared with that image,
// then Erase All and Blank Check of the programmed chip. Every step is checked for its result, for
// the chip rules the run broke and for not finishing (each operation is capped at a generous number
// of instructions, so a list that never ends cannot hang).
ModelTrial try_model(const DeviceDatabase& database, int32_t number);

}  // namespace picprog
