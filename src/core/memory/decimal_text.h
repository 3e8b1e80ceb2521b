#pragma once

#include <cstdint>
#include <string_view>

namespace picprog {

// The leading decimal number of a text, as every size, slot number, setting,
// programming time and wait of the system is read:
//   - leading blanks and tabs are skipped;
//   - an optional sign (+ or -) follows;
//   - then digits with an optional fraction ("12", "2.5", ".5", "7.");
//   - anything after the number is ignored ("128 bytes" is 128);
//   - the value is rounded to the nearest integer, halves to even
//     (2.5 gives 2, 3.5 gives 4, -2.5 gives -2);
//   - a text with no digit where the number should start gives 0;
//   - values beyond the 32-bit range are clamped to it.
// There is no exponent and no hexadecimal prefix.
int32_t leading_number(std::string_view text);

// The same number unrounded, for callers that need the fraction.
double leading_decimal(std::string_view text);

}  // namespace picprog
