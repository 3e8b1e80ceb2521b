#include "core/memory/hex_text.h"

namespace picprog {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

std::string last_digits(int32_t value, int count) {
    auto bits = static_cast<uint32_t>(value);
    std::string text(static_cast<size_t>(count), '0');
    for (int i = count - 1; i >= 0; --i) {
        text[static_cast<size_t>(i)] = kDigits[bits & 0xFu];
        bits >>= 4;
    }
    return text;
}

int digit_value(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::string hex2(int32_t value) { return last_digits(value, 2); }
std::string hex2h(int32_t value) { return hex2(value) + "h"; }
std::string hex4(int32_t value) { return last_digits(value, 4); }
std::string hex4h(int32_t value) { return hex4(value) + "h"; }
std::string hex6(int32_t value) { return last_digits(value, 6); }

std::string hex4_swapped(int32_t value) {
    const std::string text = hex4(value);
    return text.substr(2, 2) + text.substr(0, 2);
}

int32_t parse_hex2(std::string_view text) {
    if (text.size() != 2) {
        return -1;
    }
    const int high = digit_value(text[0]);
    const int low = digit_value(text[1]);
    if (high < 0 || low < 0) {
        return -1;
    }
    return high * 16 + low;
}

int32_t parse_hex4(std::string_view text) {
    if (text.size() != 4) {
        return -1;
    }
    const int32_t high = parse_hex2(text.substr(0, 2));
    const int32_t low = parse_hex2(text.substr(2, 2));
    if (high < 0 || low < 0) {
        return -1;
    }
    return high * 256 + low;
}

}  // namespace picprog
