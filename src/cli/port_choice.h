#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace picprog {

// Base addresses of the three standard parallel ports.
inline constexpr int32_t kLpt1Base = 0x378;
inline constexpr int32_t kLpt2Base = 0x278;
inline constexpr int32_t kLpt3Base = 0x3BC;

// The port base a --port argument names: 1, 2 or 3 for LPT1 to LPT3, or an
// I/O address in decimal ("888"), in hexadecimal with "0x" ("0x378") or with
// a trailing "h" ("378h"). nullopt for anything else or an address outside
// 4 to FFFFh.
std::optional<int32_t> parse_port_argument(std::string_view argument);

// 1, 2 or 3 for the base addresses of LPT1, LPT2 and LPT3; 0 otherwise.
int port_number(int32_t port_base);

// "Parallel port 1", or "Parallel port at address 1234" for another base.
std::string port_name(int32_t port_base);

}  // namespace picprog
