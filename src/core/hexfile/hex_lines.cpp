#include "core/hexfile/hex_lines.h"

namespace picprog {
namespace {

constexpr char kLineFeed = '\n';
constexpr char kCarriageReturn = '\r';
// Each pass halves runs of empty lines; two passes is the historic rule that
// line numbers in messages depend on.
constexpr int kCollapsePasses = 2;

std::string collapse_line_feed_pairs(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size(); ++pos) {
        out += text[pos];
        if (text[pos] == kLineFeed && pos + 1 < text.size() && text[pos + 1] == kLineFeed) {
            ++pos;
        }
    }
    return out;
}

}  // namespace

std::vector<std::string> split_hex_lines(std::string_view text) {
    std::string normalised(text);
    for (char& c : normalised) {
        if (c == kCarriageReturn) {
            c = kLineFeed;
        }
    }
    for (int pass = 0; pass < kCollapsePasses; ++pass) {
        normalised = collapse_line_feed_pairs(normalised);
    }

    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = normalised.find(kLineFeed, start);
        if (end == std::string::npos) {
            lines.emplace_back(normalised.substr(start));
            return lines;
        }
        lines.emplace_back(normalised.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace picprog
