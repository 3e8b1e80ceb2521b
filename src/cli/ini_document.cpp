#include "cli/ini_document.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace picprog {
namespace {

constexpr char kTopLevelSection[] = "General";
constexpr char kGeneralGroupSection[] = "%General";
constexpr uint32_t kLatin1Last = 0xFF;
constexpr uint32_t kLastControl = 0x1F;
constexpr int kHexBase = 16;
constexpr int kOctBase = 8;
constexpr int kByteHexDigits = 2;
constexpr int kUnitHexDigits = 4;

// The named escapes of values, both ways.
struct NamedEscape {
    char letter;
    char value;
};
constexpr std::array<NamedEscape, 7> kControlEscapes{
    {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'}, {'r', '\r'}, {'t', '\t'}, {'v', '\v'}}};
constexpr std::array<NamedEscape, 4> kLiteralEscapes{
    {{'"', '"'}, {'?', '?'}, {'\'', '\''}, {'\\', '\\'}}};

// Values of other types that QSettings writes as "@Type(...)".
constexpr std::array<std::string_view, 7> kOtherTypePrefixes{
    "@Invalid(", "@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point(", "@Time("};
constexpr std::string_view kByteArrayPrefix = "@ByteArray(";
constexpr std::string_view kStringPrefix = "@String(";

int hex_value(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

int oct_value(char c) {
    return c >= '0' && c <= '7' ? c - '0' : -1;
}

bool is_hex_digit(char c) {
    return hex_value(c) >= 0;
}

std::string hex_text(uint32_t value, int width, bool upper) {
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), digits[value % kHexBase]);
        value /= kHexBase;
    } while (value != 0);
    if (static_cast<int>(text.size()) < width) {
        text.insert(0, static_cast<size_t>(width) - text.size(), '0');
    }
    return text;
}

void append_utf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// UTF-16 code units of UTF-8 text (Qt escapes keys unit by unit). A byte
// that does not start a valid sequence stands for itself.
std::vector<uint16_t> utf16_units(std::string_view text) {
    std::vector<uint16_t> units;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        uint32_t code = lead;
        if (lead >= 0xF0 && lead < 0xF8) {
            extra = 3;
            code = lead & 0x07u;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            extra = 2;
            code = lead & 0x0Fu;
        } else if (lead >= 0xC0 && lead < 0xE0) {
            extra = 1;
            code = lead & 0x1Fu;
        }
        bool valid = lead < 0x80 || (extra > 0 && i + static_cast<size_t>(extra) < text.size());
        for (int k = 1; valid && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
            valid = (next & 0xC0u) == 0x80u;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (!valid) {
            code = lead;
            extra = 0;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            units.push_back(static_cast<uint16_t>(0xD800 + (code >> 10)));
            units.push_back(static_cast<uint16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            units.push_back(static_cast<uint16_t>(code));
        }
        i += static_cast<size_t>(extra) + 1;
    }
    return units;
}

// Appends UTF-16 units as UTF-8, joining surrogate pairs.
void append_units(std::string& out, const std::vector<uint16_t>& units) {
    for (size_t i = 0; i < units.size(); ++i) {
        const uint16_t unit = units[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
            append_utf8(out, 0x10000 + ((unit - 0xD800u) << 10) + (units[i + 1] - 0xDC00u));
            ++i;
        } else {
            append_utf8(out, unit);
        }
    }
}

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool equals_ignoring_case(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        };
        return lower(x) == lower(y);
    });
}

// The group a section header names; nullopt when the line is no header.
std::optional<std::string> section_group(std::string_view line) {
    const std::string_view text = trimmed(line);
    if (text.size() < 2 || text.front() != '[') {
        return std::nullopt;
    }
    const size_t close = text.rfind(']');
    if (close == std::string_view::npos || close == 0) {
        return std::nullopt;
    }
    const std::string_view name = trimmed(text.substr(1, close - 1));
    if (equals_ignoring_case(name, kTopLevelSection)) {
        return std::string();
    }
    if (equals_ignoring_case(name, kGeneralGroupSection)) {
        return std::string(kTopLevelSection);
    }
    return ini_unescaped_key(name);
}

std::string section_header(std::string_view group) {
    if (group.empty()) {
        return "[" + std::string(kTopLevelSection) + "]";
    }
    if (group == kTopLevelSection) {
        return "[" + std::string(kGeneralGroupSection) + "]";
    }
    return "[" + ini_escaped_key(group) + "]";
}

bool is_comment(std::string_view line) {
    const std::string_view text = trimmed(line);
    return !text.empty() && (text.front() == ';' || text.front() == '#');
}

// The part of a value line after "=", or nullopt for a line without one.
std::optional<std::string_view> split_key_line(std::string_view line, std::string_view& key) {
    if (is_comment(line)) {
        return std::nullopt;
    }
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    key = trimmed(line.substr(0, equals));
    return line.substr(equals + 1);
}

void chop_trailing_blanks(std::string& text, size_t limit) {
    while (text.size() > limit && (text.back() == ' ' || text.back() == '\t')) {
        text.pop_back();
    }
}

// The stored text split as QSettings splits it: escapes resolved, quotes
// removed, unquoted commas separating list items.
std::vector<std::string> unescaped_items(std::string_view stored) {
    std::vector<std::string> items;
    std::string current;
    bool in_quotes = false;
    bool quoted = false;
    size_t chop_limit = 0;
    size_t i = 0;
    auto skip_blanks = [&] {
        while (i < stored.size() && (stored[i] == ' ' || stored[i] == '\t')) {
            ++i;
        }
        chop_limit = current.size();
    };
    skip_blanks();
    while (i < stored.size()) {
        const char c = stored[i];
        if (c == '\\') {
            ++i;
            if (i >= stored.size()) {
                break;
            }
            const char code = stored[i++];
            bool named = false;
            for (const auto& escape : kControlEscapes) {
                named = named || code == escape.letter;
                if (code == escape.letter) {
                    current += escape.value;
                }
            }
            for (const auto& escape : kLiteralEscapes) {
                named = named || code == escape.letter;
                if (code == escape.letter) {
                    current += escape.value;
                }
            }
            if (!named && (code == 'x' || oct_value(code) >= 0)) {
                const bool hex = code == 'x';
                uint32_t value = hex ? 0 : static_cast<uint32_t>(oct_value(code));
                const int base = hex ? kHexBase : kOctBase;
                while (i < stored.size() &&
                       (hex ? hex_value(stored[i]) : oct_value(stored[i])) >= 0) {
                    value =
                        (value * static_cast<uint32_t>(base) +
                         static_cast<uint32_t>(hex ? hex_value(stored[i]) : oct_value(stored[i]))) &
                        0xFFFF;
                    ++i;
                }
                append_utf8(current, value);
            }
            chop_limit = current.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            in_quotes = !in_quotes;
            if (!in_quotes) {
                skip_blanks();
            }
        } else if (c == ',' && !in_quotes) {
            if (!quoted) {
                chop_trailing_blanks(current, chop_limit);
            }
            items.push_back(std::move(current));
            current.clear();
            quoted = false;
            ++i;
            skip_blanks();
        } else {
            size_t j = i + 1;
            while (j < stored.size() && stored[j] != '\\' && stored[j] != '"' &&
                   (stored[j] != ',' || in_quotes)) {
                ++j;
            }
            current.append(stored.substr(i, j - i));
            i = j;
        }
    }
    if (!quoted) {
        chop_trailing_blanks(current, chop_limit);
    }
    items.push_back(std::move(current));
    return items;
}

// The text an "@"-marked item stands for; nullopt for another type.
std::optional<std::string> item_text(std::string item) {
    if (item.empty() || item.front() != '@') {
        return item;
    }
    if (item.size() > 1 && item[1] == '@') {
        return item.substr(1);
    }
    if (item.back() == ')') {
        for (const std::string_view prefix : {kByteArrayPrefix, kStringPrefix}) {
            if (item.starts_with(prefix)) {
                return item.substr(prefix.size(), item.size() - prefix.size() - 1);
            }
        }
        for (const std::string_view prefix : kOtherTypePrefixes) {
            if (item.starts_with(prefix)) {
                return std::nullopt;
            }
        }
    }
    return item;
}

}  // namespace

std::string ini_escaped_key(std::string_view key) {
    std::string result;
    for (const uint16_t unit : utf16_units(key)) {
        const bool plain = (unit >= 'a' && unit <= 'z') || (unit >= 'A' && unit <= 'Z') ||
                           (unit >= '0' && unit <= '9') || unit == '_' || unit == '-' ||
                           unit == '.';
        if (unit == '/') {
            result += '\\';
        } else if (plain) {
            result += static_cast<char>(unit);
        } else if (unit <= kLatin1Last) {
            result += '%' + hex_text(unit, kByteHexDigits, true);
        } else {
            result += "%U" + hex_text(unit, kUnitHexDigits, true);
        }
    }
    return result;
}

std::string ini_unescaped_key(std::string_view escaped) {
    std::string result;
    std::vector<uint16_t> pending;  // escaped units, joined when the run ends
    auto flush = [&] {
        append_units(result, pending);
        pending.clear();
    };
    for (size_t i = 0; i < escaped.size();) {
        const char c = escaped[i];
        if (c == '\\') {
            flush();
            result += '/';
            ++i;
            continue;
        }
        if (c != '%' || i + 1 >= escaped.size()) {
            flush();
            result += c;
            ++i;
            continue;
        }
        size_t first = i + 1;
        int digits = kByteHexDigits;
        if (escaped[first] == 'U') {
            ++first;
            digits = kUnitHexDigits;
        }
        uint32_t value = 0;
        bool ok = first + static_cast<size_t>(digits) <= escaped.size();
        for (int k = 0; ok && k < digits; ++k) {
            const int d = hex_value(escaped[first + static_cast<size_t>(k)]);
            ok = d >= 0;
            value = value * kHexBase + static_cast<uint32_t>(std::max(d, 0));
        }
        if (!ok) {
            flush();
            result += '%';
            ++i;
            continue;
        }
        pending.push_back(static_cast<uint16_t>(value));
        i = first + static_cast<size_t>(digits);
    }
    flush();
    return result;
}

std::string ini_escaped_value(std::string_view value) {
    std::string text(value);
    if (text.find('\0') != std::string::npos) {
        text = std::string(kStringPrefix) + text + ")";
    } else if (!text.empty() && text.front() == '@') {
        text.insert(text.begin(), '@');
    }
    std::string result;
    bool needs_quotes = false;
    bool escape_next_if_digit = false;
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        needs_quotes = needs_quotes || c == ';' || c == ',' || c == '=';
        if (escape_next_if_digit && is_hex_digit(c)) {
            result += "\\x" + hex_text(code, 1, false);
            continue;
        }
        escape_next_if_digit = false;
        const auto named = std::find_if(kControlEscapes.begin(), kControlEscapes.end(),
                                        [c](const NamedEscape& e) { return e.value == c; });
        if (c == '\0') {
            result += "\\0";
            escape_next_if_digit = true;
        } else if (named != kControlEscapes.end()) {
            result += '\\';
            result += named->letter;
        } else if (c == '"' || c == '\\') {
            result += '\\';
            result += c;
        } else if (code <= kLastControl) {
            result += "\\x" + hex_text(code, 1, false);
            escape_next_if_digit = true;
        } else {
            result += c;
        }
    }
    if (needs_quotes || (!result.empty() && (result.front() == ' ' || result.back() == ' '))) {
        result = '"' + result + '"';
    }
    return result;
}

std::optional<std::string> ini_unescaped_value(std::string_view stored) {
    std::vector<std::string> items = unescaped_items(stored);
    if (items.size() != 1) {
        // A list: QSettings hands the desktop program a list, whose text
        // form is empty.
        return std::string();
    }
    return item_text(std::move(items.front()));
}

IniDocument IniDocument::parse(std::string_view text) {
    IniDocument document;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        document.lines_.emplace_back(line);
        start = end + 1;
    }
    return document;
}

std::string IniDocument::text() const {
    std::string result;
    for (const std::string& line : lines_) {
        result += line;
        result += '\n';
    }
    return result;
}

std::optional<size_t> IniDocument::find(std::string_view group, std::string_view key) const {
    std::optional<size_t> found;
    std::string current_group;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (auto header = section_group(lines_[i])) {
            current_group = std::move(*header);
            continue;
        }
        std::string_view line_key;
        if (current_group == group && split_key_line(lines_[i], line_key) &&
            ini_unescaped_key(line_key) == key) {
            found = i;
        }
    }
    return found;
}

std::optional<std::string> IniDocument::value(std::string_view group, std::string_view key) const {
    const std::optional<size_t> index = find(group, key);
    if (!index) {
        return std::nullopt;
    }
    std::string_view line_key;
    const auto stored = split_key_line(lines_[*index], line_key);
    return ini_unescaped_value(*stored);
}

void IniDocument::set_value(std::string_view group, std::string_view key, std::string_view value) {
    const std::string line = ini_escaped_key(key) + "=" + ini_escaped_value(value);
    if (const std::optional<size_t> index = find(group, key)) {
        lines_[*index] = line;
        return;
    }
    // After the last non-blank line of the group's first section.
    std::optional<size_t> insert_after;
    bool in_group = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (auto header = section_group(lines_[i])) {
            if (in_group) {
                break;
            }
            in_group = *header == group;
            if (in_group) {
                insert_after = i;
            }
            continue;
        }
        if (in_group && !trimmed(lines_[i]).empty()) {
            insert_after = i;
        }
    }
    if (insert_after) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(*insert_after) + 1, line);
        return;
    }
    if (!lines_.empty() && !trimmed(lines_.back()).empty()) {
        lines_.emplace_back();
    }
    lines_.push_back(section_header(group));
    lines_.push_back(line);
}

}  // namespace picprog
