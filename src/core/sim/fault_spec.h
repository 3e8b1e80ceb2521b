#pragma once

#include <string>
#include <string_view>

#include "core/sim/simulated_programmer.h"

namespace picprog {

// The fault names a user can give, with their arguments, for help texts.
inline constexpr std::string_view kFaultSpecHelp =
    "no-chip (empty socket), data-in-stuck:0|1 (DATA IN reads one level), "
    "stuck-bit:ADDRESS:BIT:0|1 (a worn program cell; ADDRESS in hex), slow:FACTOR (every write "
    "and erase takes FACTOR times as long), vdd-drop:AT_MS[:LENGTH_MS] (the supply collapses "
    "AT_MS milliseconds into the run, for LENGTH_MS, default 1)";

// Adds the fault named by `spec` ("no-chip", "slow:2.5", ...) to `faults`.
// Returns an empty text when it was understood, else why not.
std::string add_fault(std::string_view spec, SimulatorFaults& faults);

}  // namespace picprog
