#pragma once

#include <chrono>
#include <cstdint>

namespace picprog::bench {

// Seconds on the monotonic clock; only differences mean anything.
inline double now_seconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Nanoseconds on the monotonic clock. On Linux this is CLOCK_MONOTONIC, the
// same for every process, so a parent's reading and a child's compare.
inline int64_t now_nanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace picprog::bench
