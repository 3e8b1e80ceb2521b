// The only place in the hardware code that really waits.
#include <chrono>
#include <thread>

#include "core/hardware/real_time_waits.h"

#ifdef _WIN32
#include <windows.h>
#include <timeapi.h>
#endif

namespace picprog {
namespace {

constexpr int32_t kSpinLimitUs = 200;

}  // namespace

void real_sleep_ms(int32_t ms) {
    if (ms <= 0) {
        return;
    }
#ifdef _WIN32
    // Windows rounds sleeps up to its 15.6 ms tick unless asked for 1 ms
    // resolution, which would stretch every programming wait.
    timeBeginPeriod(1);
    Sleep(static_cast<DWORD>(ms));
    timeEndPeriod(1);
#else
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
#endif
}

void real_delay_us(int32_t us) {
    if (us <= 0) {
        return;
    }
    if (us > kSpinLimitUs) {
        std::this_thread::sleep_for(std::chrono::microseconds(us));
        return;
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::microseconds(us);
    while (std::chrono::steady_clock::now() < end) {
    }
}

}  // namespace picprog
