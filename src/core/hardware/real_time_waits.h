#pragma once

#include <cstdint>

namespace picprog {

// Waits of the hardware back ends, in real time.
// Blocks the thread for `ms` milliseconds (nothing for 0 or less).
void real_sleep_ms(int32_t ms);
// Waits at least `us` microseconds. Short waits spin on the monotonic clock,
// because a thread sleep is far coarser than the microsecond a chip needs.
void real_delay_us(int32_t us);

}  // namespace picprog
