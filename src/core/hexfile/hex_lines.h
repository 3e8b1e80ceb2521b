#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace picprog {

// Splits a HEX file's text into the lines that error messages count.
// Every CR becomes an LF; then, twice, each pair of LFs (taken left to right,
// not overlapping) becomes one LF; then the text is split at each LF. So CR LF,
// LF and CR all end a line, one empty line between CR LF records vanishes
// from the count and two leave one. A closing line end yields a final empty
// line; the empty text yields one empty line.
std::vector<std::string> split_hex_lines(std::string_view text);

}  // namespace picprog
