#pragma once

#include <cstdint>

namespace picprog {

// Base addresses of the three standard parallel ports.
inline constexpr int32_t kLpt1Base = 0x378;
inline constexpr int32_t kLpt2Base = 0x278;
inline constexpr int32_t kLpt3Base = 0x3BC;

// 1, 2 or 3 for the base addresses of LPT1, LPT2 and LPT3; 0 otherwise.
int port_number(int32_t port_base);

}  // namespace picprog
