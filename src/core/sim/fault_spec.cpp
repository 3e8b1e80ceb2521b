#include "core/sim/fault_spec.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace picprog {
namespace {

constexpr int32_t kHighestBit = 13;
constexpr double kMicrosPerMilli = 1000.0;
constexpr double kLongestSlowdown = 1000.0;

std::vector<std::string_view> split_colons(std::string_view text) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t colon = text.find(':'); colon != std::string_view::npos;
         colon = text.find(':', start)) {
        parts.push_back(text.substr(start, colon - start));
        start = colon + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::optional<int64_t> whole(std::string_view text, int base) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> decimal(std::string_view text) {
    const std::string copy(text);
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (copy.empty() || end != copy.c_str() + copy.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<bool> level(std::string_view text) {
    if (text == "0") {
        return false;
    }
    if (text == "1") {
        return true;
    }
    return std::nullopt;
}

std::string stuck_bit(const std::vector<std::string_view>& args, SimulatorFaults& faults) {
    if (args.size() != 4) {
        return "stuck-bit needs ADDRESS:BIT:LEVEL, e.g. stuck-bit:1F:3:0";
    }
    std::string_view address_text = args[1];
    if (address_text.ends_with('h') || address_text.ends_with('H')) {
        address_text.remove_suffix(1);
    }
    const auto address = whole(address_text, 16);
    const auto bit = whole(args[2], 10);
    const auto on = level(args[3]);
    if (!address || *address < 0 || *address > 0x1FFF) {
        return "stuck-bit: the address is a program word address in hex, 0 to 1FFF";
    }
    if (!bit || *bit < 0 || *bit > kHighestBit) {
        return "stuck-bit: the bit is 0 to 13";
    }
    if (!on) {
        return "stuck-bit: the level is 0 or 1";
    }
    faults.stuck_bit = StuckBit{static_cast<int32_t>(*address), static_cast<int32_t>(*bit), *on};
    return {};
}

std::string vdd_drop(const std::vector<std::string_view>& args, SimulatorFaults& faults) {
    if (args.size() < 2 || args.size() > 3) {
        return "vdd-drop needs AT_MS[:LENGTH_MS], e.g. vdd-drop:150";
    }
    const auto at = decimal(args[1]);
    const auto length = args.size() == 3 ? decimal(args[2]) : std::optional<double>(1.0);
    if (!at || *at < 0 || *at > 1e9) {
        return "vdd-drop: the time is milliseconds of the run, 0 or more";
    }
    if (!length || *length <= 0 || *length > 1e9) {
        return "vdd-drop: the length is milliseconds, more than 0";
    }
    faults.vdd_drop_at_us = static_cast<int64_t>(std::llround(*at * kMicrosPerMilli));
    faults.vdd_drop_length_us = std::max<int64_t>(1, std::llround(*length * kMicrosPerMilli));
    return {};
}

}  // namespace

std::string add_fault(std::string_view spec, SimulatorFaults& faults) {
    const std::vector<std::string_view> args = split_colons(spec);
    const std::string_view name = args.front();
    if (name == "no-chip" && args.size() == 1) {
        faults.no_chip = true;
        return {};
    }
    if (name == "data-in-stuck") {
        const auto on = args.size() == 2 ? level(args[1]) : std::nullopt;
        if (!on) {
            return "data-in-stuck needs the level it reads: data-in-stuck:0 or data-in-stuck:1";
        }
        faults.data_in_stuck = *on;
        return {};
    }
    if (name == "stuck-bit") {
        return stuck_bit(args, faults);
    }
    if (name == "slow") {
        const auto factor = args.size() == 2 ? decimal(args[1]) : std::nullopt;
        if (!factor || *factor < 1.0 || *factor > kLongestSlowdown) {
            return "slow needs a factor from 1 to 1000, e.g. slow:2.5";
        }
        faults.timing_scale = *factor;
        return {};
    }
    if (name == "vdd-drop") {
        return vdd_drop(args, faults);
    }
    return "unknown fault \"" + std::string(spec) + "\"; the faults are " +
           std::string(kFaultSpecHelp);
}

}  // namespace picprog
