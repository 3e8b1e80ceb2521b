#include "core/engine/elapsed_text.h"

#include <cmath>
#include <cstdint>

namespace picprog {

std::string elapsed_text(double seconds) {
    if (!(seconds > 0.0)) {
        return "0.00";
    }
    // Counted in whole microseconds first, so a time such as 0.29 s does not
    // turn into 28 hundredths through binary rounding.
    const auto micros = static_cast<int64_t>(std::llround(seconds * 1e6));
    const int64_t whole = micros / 1000000;
    const int64_t hundredths = (micros % 1000000) / 10000;
    std::string text = std::to_string(whole) + ".";
    if (hundredths < 10) {
        text += '0';
    }
    text += std::to_string(hundredths);
    return text;
}

}  // namespace picprog
