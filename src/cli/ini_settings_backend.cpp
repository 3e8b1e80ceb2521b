#include "cli/ini_settings_backend.h"

#include <system_error>

#include "cli/ini_document.h"
#include "core/hexfile/atomic_file_write.h"
#include "core/hexfile/file_read.h"

namespace picprog {
namespace {

constexpr std::string_view kDwordMarker = "dword:";
constexpr std::string_view kStringMarker = "string:";
constexpr size_t kDwordHexDigits = 8;
constexpr int kHexBase = 16;

// The desktop program stores a name's own '/' and '\' escaped, so that only
// the key path can name a group; the same escapes apply here.
std::string stored_name(std::string_view name) {
    std::string result;
    for (const char c : name) {
        if (c == '/') {
            result += "%2F";
        } else if (c == '\\') {
            result += "%5C";
        } else {
            result += c;
        }
    }
    return result;
}

std::optional<uint32_t> parse_dword_digits(std::string_view digits) {
    if (digits.size() != kDwordHexDigits) {
        return std::nullopt;
    }
    uint32_t value = 0;
    for (const char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * kHexBase + static_cast<uint32_t>(digit);
    }
    return value;
}

}  // namespace

void IniSettingsBackend::create_key(std::string_view key_path) {
    // A group of an INI file exists through its values.
    (void)key_path;
}

std::optional<std::string> IniSettingsBackend::read_raw(std::string_view key_path,
                                                        std::string_view name) const {
    const FileReadResult file = read_whole_file(file_.string());
    if (!file.ok) {
        return std::nullopt;
    }
    return IniDocument::parse(file.bytes).value(key_path, stored_name(name));
}

void IniSettingsBackend::write_raw(std::string_view key_path, std::string_view name,
                                   std::string_view stored) {
    const FileReadResult file = read_whole_file(file_.string());
    IniDocument document = IniDocument::parse(file.ok ? file.bytes : std::string());
    document.set_value(key_path, stored_name(name), stored);
    std::error_code ignored;
    std::filesystem::create_directories(file_.parent_path(), ignored);
    write_file_atomically(file_.string(), document.text());
}

std::optional<std::string> IniSettingsBackend::read_string(std::string_view key_path,
                                                           std::string_view name) {
    std::optional<std::string> text = read_raw(key_path, name);
    if (!text || text->starts_with(kDwordMarker)) {
        return std::nullopt;
    }
    if (text->starts_with(kStringMarker)) {
        text->erase(0, kStringMarker.size());
    }
    return text;
}

std::optional<int32_t> IniSettingsBackend::read_dword(std::string_view key_path,
                                                      std::string_view name) {
    const std::optional<std::string> text = read_raw(key_path, name);
    if (!text || !text->starts_with(kDwordMarker)) {
        return std::nullopt;
    }
    const auto bits = parse_dword_digits(std::string_view(*text).substr(kDwordMarker.size()));
    if (!bits) {
        return std::nullopt;
    }
    return static_cast<int32_t>(*bits);
}

void IniSettingsBackend::write_string(std::string_view key_path, std::string_view name,
                                      std::string_view value) {
    std::string text(value);
    if (text.starts_with(kDwordMarker) || text.starts_with(kStringMarker)) {
        text.insert(0, kStringMarker);
    }
    write_raw(key_path, name, text);
}

void IniSettingsBackend::write_dword(std::string_view key_path, std::string_view name,
                                     int32_t value) {
    constexpr char kDigits[] = "0123456789abcdef";
    auto bits = static_cast<uint32_t>(value);
    std::string digits(kDwordHexDigits, '0');
    for (size_t i = kDwordHexDigits; i-- > 0;) {
        digits[i] = kDigits[bits % kHexBase];
        bits /= kHexBase;
    }
    write_raw(key_path, name, std::string(kDwordMarker) + digits);
}

}  // namespace picprog
