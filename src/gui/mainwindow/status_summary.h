#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace picprog {

// A status line text and the short text shown in its place when the whole
// text does not fit the line (the tool tip then holds the whole text).
// An empty summary means: derive one with status_summary.
struct StatusText {
    std::string text;
    std::string summary;
};

// The short form of a status text too long for the line, so the line says
// something whole instead of stopping mid-word: the longest run of its
// leading sentences that `fits`, else its headline (the words before the
// first ": ") with a period, when that fits; "" when neither does (the line
// then cuts the text).
std::string status_summary(std::string_view text,
                           const std::function<bool(std::string_view)>& fits);

}  // namespace picprog
