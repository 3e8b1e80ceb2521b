#include "cli/progress_bar.h"

#include <algorithm>
#include <charconv>

namespace picprog {
namespace {

constexpr int64_t kPercent = 100;
constexpr int kPercentWidth = 3;

std::optional<int64_t> whole_number(std::string_view text) {
    int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// Share of the work done, 0 to `scale`.
int64_t share(const LocationCaption& caption, int64_t scale) {
    if (caption.last <= 0) {
        return 0;
    }
    const int64_t current = std::clamp<int64_t>(caption.current, 0, caption.last);
    return current * scale / caption.last;
}

}  // namespace

std::optional<LocationCaption> parse_location_caption(std::string_view caption) {
    if (caption.size() < 2 || (caption[0] != 'F' && caption[0] != 'E') || caption[1] != ':') {
        return std::nullopt;
    }
    const std::string_view numbers = caption.substr(2);
    const size_t slash = numbers.find('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    const auto current = whole_number(numbers.substr(0, slash));
    const auto last = whole_number(numbers.substr(slash + 1));
    if (!current || !last) {
        return std::nullopt;
    }
    return LocationCaption{caption[0], *current, *last};
}

std::string progress_line(std::string_view caption) {
    const auto location = parse_location_caption(caption);
    if (!location) {
        return std::string(caption);
    }
    const auto filled = static_cast<size_t>(share(*location, kProgressBarCells));
    std::string line = "[";
    line.append(filled, '#');
    line.append(static_cast<size_t>(kProgressBarCells) - filled, '.');
    line += "] ";
    std::string percent = std::to_string(share(*location, kPercent));
    line.append(
        static_cast<size_t>(kPercentWidth) - std::min<size_t>(percent.size(), kPercentWidth), ' ');
    line += percent;
    line += "% ";
    line += caption;
    return line;
}

std::string progress_key(std::string_view caption) {
    const auto location = parse_location_caption(caption);
    if (!location) {
        return std::string(caption);
    }
    return std::string(1, location->memory) + std::to_string(location->last) + ":" +
           std::to_string(share(*location, kPercent));
}

}  // namespace picprog
