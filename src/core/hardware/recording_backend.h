#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <vector>

#include "core/hardware/port_backend.h"

namespace picprog {

// One call made on a RecordingBackend.
struct PortAccess {
    enum class Kind : uint8_t { Write, Read, Sleep, Delay };

    Kind kind;
    int32_t address;     // I/O address for Write and Read; 0 otherwise
    uint8_t value;       // byte written or served; 0 for Sleep and Delay
    int64_t time_us;     // virtual time at which the call began
    int32_t amount = 0;  // requested ms for Sleep, us for Delay; 0 otherwise
};

// A port back end for tests: records every call against a virtual clock and
// serves status bytes from a script. Each port access takes 1 us of virtual
// time, sleep_ms(ms) takes ms * 1000 us and delay_us(us) takes us. Nothing
// really waits.
class RecordingBackend : public PortBackend {
  public:
    void write(int32_t address, uint8_t value) override;
    // Serves the next scripted byte, or the default status once the script
    // is used up.
    uint8_t read(int32_t address) override;
    void sleep_ms(int32_t ms) override;
    void delay_us(int32_t us) override;

    // Appends bytes to the status script, served one per read in order.
    void script_status(std::initializer_list<uint8_t> bytes);
    void script_status(const std::vector<uint8_t>& bytes);
    // The byte every read answers when the script is empty (initially 0).
    void set_default_status(uint8_t value) { default_status_ = value; }

    // Every call since construction or the last clear(), oldest first.
    const std::vector<PortAccess>& accesses() const { return accesses_; }
    // Only the Write entries of accesses(), in order.
    std::vector<PortAccess> writes() const;
    // Forgets the recorded calls; the clock, the script and the default
    // status are kept.
    void clear() { accesses_.clear(); }
    // Virtual time now, in microseconds since construction.
    int64_t now_us() const { return now_us_; }

  private:
    void record(PortAccess::Kind kind, int32_t address, uint8_t value, int32_t amount,
                int64_t duration_us);

    std::vector<PortAccess> accesses_;
    std::deque<uint8_t> script_;
    uint8_t default_status_ = 0;
    int64_t now_us_ = 0;
};

}  // namespace picprog
