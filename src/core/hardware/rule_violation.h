#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace picprog {

// A programming rule of the chip that a run broke, as the simulated chip
// sees it. Real hardware cannot tell; only the simulator reports these.
enum class ChipRule : uint8_t {
    EntryOrder,     // VDD and VPP rose in the order the part refuses
    BusyPeriod,     // a command or power loss cut a write or erase short
    PulseTooLong,   // an externally timed pulse ran past the part's maximum
    DischargeTime,  // a command came too soon after End Programming
    EntryHold,      // a command came too soon after entering programming mode
    EraseAddress,   // an erase at an address where the part leaves its effect undefined
};

struct RuleViolation {
    ChipRule rule = ChipRule::BusyPeriod;
    std::string text;     // plain words, naming the part and the rule
    int64_t time_us = 0;  // virtual time at which it happened
};

// The violations since they were last taken: the first ones in full and
// how many there were in all (a broken loop can break a rule per word).
struct RuleViolations {
    std::vector<RuleViolation> listed;
    int64_t total = 0;

    bool empty() const { return total == 0; }
};

// The report a person reads: one line per listed violation with its time,
// and a last line counting those not listed. Lines end in CR LF.
std::string violations_text(const RuleViolations& violations);

}  // namespace picprog
