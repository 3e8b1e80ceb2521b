#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace picprog {

// Base addresses of the three standard parallel ports.
inline constexpr int32_t kLpt1Base = 0x378;
inline constexpr int32_t kLpt2Base = 0x278;
inline constexpr int32_t kLpt3Base = 0x3BC;

// 1, 2 or 3 for the base addresses of LPT1, LPT2 and LPT3; 0 otherwise.
int port_number(int32_t port_base);

// "Parallel port 1", or "Parallel port at address 1234" for another base.
std::string port_name(int32_t port_base);

// "Parallel port 1 not available: <reason>." for a port that cannot be
// opened; the front ends add how to go on without one.
std::string port_unavailable_text(int32_t port_base, std::string_view reason);

}  // namespace picprog
