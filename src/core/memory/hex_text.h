#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace picprog {

// Fixed-width upper-case hexadecimal text. Each formatter takes the 32-bit
// two's-complement form of the value, pads it with zeros and keeps the last N
// digits, so an over-wide value keeps its low digits: hex2(0x1234) is "34",
// hex2(-1) is "FF".
std::string hex2(int32_t value);
std::string hex2h(int32_t value);  // hex2 followed by "h"
std::string hex4(int32_t value);
std::string hex4h(int32_t value);  // hex4 followed by "h"
std::string hex6(int32_t value);
// hex4 with its digit pairs exchanged (low byte first, as Intel HEX stores a
// word): 0x1234 gives "3412".
std::string hex4_swapped(int32_t value);

// Strict parsers: exactly two (four) characters, each 0-9 or A-F in upper
// case. Anything else, lower case included, answers -1.
int32_t parse_hex2(std::string_view text);
int32_t parse_hex4(std::string_view text);

}  // namespace picprog
