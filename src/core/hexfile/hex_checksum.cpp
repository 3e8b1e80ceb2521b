#include "core/hexfile/hex_checksum.h"

#include <cstdint>

#include "core/memory/hex_text.h"

namespace picprog {
namespace {

constexpr int64_t kByteModulus = 256;

}  // namespace

std::string hex_checksum(std::string_view body) {
    // 64 bits: a hostile file can hold a line long enough to overflow 32.
    int64_t sum = 0;
    for (size_t pos = 0; pos + 1 < body.size(); pos += 2) {
        sum += parse_hex2(body.substr(pos, 2));
    }
    const int64_t remainder = sum % kByteModulus;
    return hex2(static_cast<int32_t>(kByteModulus - remainder));
}

}  // namespace picprog
