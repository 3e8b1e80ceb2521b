#include "core/hardware/recording_backend.h"

#include <algorithm>
#include <iterator>

namespace picprog {
namespace {

constexpr int64_t kPortAccessUs = 1;
constexpr int64_t kUsPerMs = 1000;

}  // namespace

void RecordingBackend::record(PortAccess::Kind kind, int32_t address, uint8_t value, int32_t amount,
                              int64_t duration_us) {
    accesses_.push_back({kind, address, value, now_us_, amount});
    // A negative wait takes no time rather than moving the clock backwards.
    now_us_ += std::max<int64_t>(duration_us, 0);
}

void RecordingBackend::write(int32_t address, uint8_t value) {
    record(PortAccess::Kind::Write, address, value, 0, kPortAccessUs);
}

uint8_t RecordingBackend::read(int32_t address) {
    uint8_t value = default_status_;
    if (!script_.empty()) {
        value = script_.front();
        script_.pop_front();
    }
    record(PortAccess::Kind::Read, address, value, 0, kPortAccessUs);
    return value;
}

void RecordingBackend::sleep_ms(int32_t ms) {
    record(PortAccess::Kind::Sleep, 0, 0, ms, int64_t{ms} * kUsPerMs);
}

void RecordingBackend::delay_us(int32_t us) {
    record(PortAccess::Kind::Delay, 0, 0, us, us);
}

void RecordingBackend::script_status(std::initializer_list<uint8_t> bytes) {
    script_.insert(script_.end(), bytes.begin(), bytes.end());
}

void RecordingBackend::script_status(const std::vector<uint8_t>& bytes) {
    script_.insert(script_.end(), bytes.begin(), bytes.end());
}

std::vector<PortAccess> RecordingBackend::writes() const {
    std::vector<PortAccess> result;
    std::copy_if(accesses_.begin(), accesses_.end(), std::back_inserter(result),
                 [](const PortAccess& a) { return a.kind == PortAccess::Kind::Write; });
    return result;
}

}  // namespace picprog
