#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/hardware/lpt_ports.h"

namespace picprog {

// The port base a --port argument names: 1, 2 or 3 for LPT1 to LPT3, or an
// I/O address in decimal ("888"), in hexadecimal with "0x" ("0x378") or with
// a trailing "h" ("378h"). nullopt for anything else or an address outside
// 4 to FFFFh.
std::optional<int32_t> parse_port_argument(std::string_view argument);

}  // namespace picprog
