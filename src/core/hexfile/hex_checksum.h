#pragma once

#include <string>
#include <string_view>

namespace picprog {

// The checksum field a record must carry for the given record body (the text
// between the colon and the checksum). The body is read as pairs of
// characters from its start while a whole pair remains (a trailing odd
// character is ignored); each pair adds its parse_hex2 value, so a pair that
// is not upper-case hex adds -1. The answer is hex2 of 256 minus the sum
// modulo 256 (the remainder keeps the sign of the sum), hence "00" for a sum
// that is a multiple of 256. Reader and writer share it, so every file the
// writer produces passes the reader's test.
std::string hex_checksum(std::string_view body);

}  // namespace picprog
