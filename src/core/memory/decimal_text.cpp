#include "core/memory/decimal_text.h"

#include <cmath>
#include <limits>

namespace picprog {

double leading_decimal(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    double value = 0.0;
    bool any_digit = false;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10.0 + (text[pos] - '0');
        any_digit = true;
        ++pos;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        double scale = 0.1;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
            value += (text[pos] - '0') * scale;
            scale /= 10.0;
            any_digit = true;
            ++pos;
        }
    }
    if (!any_digit) {
        return 0.0;
    }
    return negative ? -value : value;
}

int32_t leading_number(std::string_view text) {
    // nearbyint rounds halves to even in the default rounding mode.
    const double rounded = std::nearbyint(leading_decimal(text));
    if (rounded >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
        return std::numeric_limits<int32_t>::max();
    }
    if (rounded <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(rounded);
}

}  // namespace picprog
