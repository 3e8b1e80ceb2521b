#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/hardware/rule_violation.h"
#include "core/sim/chip_families.h"

namespace picprog {

// Which supply reached the chip first when it entered programming mode.
enum class SupplyOrder : uint8_t { VddFirst, VppFirst, Together };

// What the simulated chip saw, for tests and for the person debugging an
// algorithm. Counts only grow until reset.
struct ChipStats {
    std::vector<SupplyOrder> entries;               // one per entry into programming mode
    int64_t rejected_entries = 0;                   // wrong supply order while strict
    std::array<int64_t, kCommandCodes> commands{};  // decoded commands by code
    // Commands (or a power-down) that arrived while a write or erase was
    // still running; each one left that cycle without effect.
    int64_t busy_violations = 0;
    // Commands within the discharge time after End Programming; the chip
    // ignores them (the write itself is kept).
    int64_t discharge_violations = 0;
    // Externally timed pulses longer than the part allows (the write lands).
    int64_t pulse_violations = 0;
    int64_t words_written = 0;          // program and config-space words stored
    int64_t data_bytes_written = 0;     // data EEPROM bytes stored
    int64_t erases = 0;                 // erase cycles completed
    int64_t blocked_by_protection = 0;  // writes and erases refused by CP/CPD

    // Every rule broken, in plain words: the first ones listed, all counted.
    RuleViolations violations;

    int64_t command_count(IcspCommand code) const { return commands[static_cast<size_t>(code)]; }
};

}  // namespace picprog
