#include "cli/port_choice.h"

#include <charconv>

namespace picprog {
namespace {

constexpr int32_t kLowestAddress = 4;  // 1 to 3 are port numbers
constexpr int32_t kHighestAddress = 0xFFFF;
constexpr int kHexBase = 16;
constexpr int kDecimalBase = 10;

std::optional<int32_t> whole(std::string_view digits, int base) {
    int32_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, value, base);
    if (digits.empty() || ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<int32_t> parse_port_argument(std::string_view argument) {
    if (argument == "1") {
        return kLpt1Base;
    }
    if (argument == "2") {
        return kLpt2Base;
    }
    if (argument == "3") {
        return kLpt3Base;
    }
    std::optional<int32_t> address;
    if (argument.starts_with("0x") || argument.starts_with("0X")) {
        address = whole(argument.substr(2), kHexBase);
    } else if (argument.ends_with('h') || argument.ends_with('H')) {
        address = whole(argument.substr(0, argument.size() - 1), kHexBase);
    } else {
        address = whole(argument, kDecimalBase);
    }
    if (!address || *address < kLowestAddress || *address > kHighestAddress) {
        return std::nullopt;
    }
    return address;
}

}  // namespace picprog
