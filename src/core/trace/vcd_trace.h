#pragma once

#include <cstdint>
#include <optional>
#include <ostream>

namespace picprog {

// The five programmer lines as the chip side sees them.
struct TraceLevels {
    bool vdd = false;
    bool vpp = false;
    bool clock = false;
    bool data_out = false;  // the PC side's drive of DATA (high = released)
    bool data_in = false;   // the DATA line as it comes back to the PC

    bool operator==(const TraceLevels&) const = default;
};

// Writes line changes as a Value Change Dump (opens in PulseView or
// GTKWave), one time unit per microsecond. The stream must outlive the trace.
class VcdTrace {
public:
    // Writes the header at once.
    explicit VcdTrace(std::ostream& out);

    // Records the levels at `time_us` (never decreasing). Only lines that
    // changed are written; the first call dumps all of them.
    void record(int64_t time_us, const TraceLevels& levels);

private:
    std::ostream& out_;
    std::optional<TraceLevels> last_;
    int64_t last_time_us_ = -1;
};

}  // namespace picprog
