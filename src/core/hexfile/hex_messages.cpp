#include "core/hexfile/hex_messages.h"

#include <array>

#include "core/memory/hex_text.h"

namespace picprog {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kFormatErrorHeader =
    "Input program file in Intel Hex Format contains errors.";

constexpr std::array<std::string_view, 12> kErrorTexts = {
    "",
    ": The record does not begin with ':' simbol.",
    ": The record is too short.",
    ": Invalid 'checksum' field in the record.",
    ": Invalid 'record type' field in the record.",
    ": Invalid '04 type' record.",
    ": Invalid 'number of bytes' field in the record.",
    ": Invalid 'address' field in the record.",
    ": Field 'number of bytes' in the record must contain an even value.",
    ": Field 'address' in the record must contain an even value.",
    ": The record does not contain the specified number of bytes.",
    ": Invalid data byte in the record.",
};

// The warning lists every address while there are few; past that, the head
// and the tail with an ellipsis between, so the box stays on screen.
constexpr size_t kWarningFullListMax = 24;
constexpr size_t kWarningHeadEntries = 16;
constexpr size_t kWarningTailEntries = 8;
constexpr std::string_view kEntrySeparator = ", ";
constexpr std::string_view kEllipsis = "..., ";

constexpr int32_t kWordsPerKiloword = 1024;
constexpr size_t kKilowordChars = 4;
// 1/1024 has ten decimal places, so ten digits give the exact fraction.
constexpr int kFractionDigits = 10;
constexpr int64_t kFractionScale = 10'000'000'000;

constexpr size_t kPathLabelMax = 70;
constexpr std::string_view kPathLabelPrefix = "... ";

bool is_utf8_continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u;
}

}  // namespace

std::string_view hex_error_text(HexError error) {
    const auto index = static_cast<size_t>(error);
    return index < kErrorTexts.size() ? kErrorTexts[index] : std::string_view{};
}

std::string hex_error_message(const HexParseResult& result) {
    std::string text(kFormatErrorHeader);
    text += kLineBreak;
    text += "Line number ";
    text += std::to_string(result.line);
    text += hex_error_text(result.error);
    return text;
}

std::string out_of_range_warning(const std::vector<int64_t>& addresses) {
    std::string list;
    auto add_entry = [&list](int64_t address) {
        list += hex4(static_cast<int32_t>(address & 0xFFFF));
        list += kEntrySeparator;
    };
    if (addresses.size() > kWarningFullListMax) {
        for (size_t i = 0; i < kWarningHeadEntries; ++i) {
            add_entry(addresses[i]);
        }
        list += kEllipsis;
        for (size_t i = addresses.size() - kWarningTailEntries; i < addresses.size(); ++i) {
            add_entry(addresses[i]);
        }
    } else {
        for (int64_t address : addresses) {
            add_entry(address);
        }
    }
    list.resize(list.size() - kEntrySeparator.size());
    list += '.';

    std::string text = "Warning!";
    text += kLineBreak;
    text += kFormatErrorHeader;
    text += kLineBreak;
    text += "There are data for ";
    text += std::to_string(addresses.size());
    text += " addresses out of range:";
    text += kLineBreak;
    text += list;
    text += kLineBreak;
    return text;
}

std::string kiloword_text(int32_t words_loaded) {
    // Exact decimal arithmetic: a binary fraction of 1024ths always ends.
    const int64_t whole = words_loaded / kWordsPerKiloword;
    int64_t fraction =
        int64_t{words_loaded % kWordsPerKiloword} * kFractionScale / kWordsPerKiloword;
    std::string text = whole == 0 && fraction != 0 ? std::string{} : std::to_string(whole);
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, static_cast<size_t>(kFractionDigits) - digits.size(), '0');
        digits.erase(digits.find_last_not_of('0') + 1);
        text += '.';
        text += digits;
    }
    return text.substr(0, kKilowordChars);
}

std::string loaded_status_text(int32_t words_loaded) {
    return "Operation completed. Total " + std::to_string(words_loaded) + " (" +
           kiloword_text(words_loaded) + "K) program words loaded.";
}

std::string hex_path_label(std::string_view path) {
    size_t start = path.size();
    size_t characters = 0;
    while (start > 0) {
        --start;
        if (!is_utf8_continuation(path[start])) {
            ++characters;
            if (characters == kPathLabelMax) {
                break;
            }
        }
    }
    if (characters < kPathLabelMax || start == 0) {
        return std::string(path);
    }
    return std::string(kPathLabelPrefix) + std::string(path.substr(start));
}

std::string overwrite_question(std::string_view path) {
    return "Do you want to overwrite file " + std::string(path) + "?";
}

std::string hex_read_failure_message(std::string_view path, std::string_view reason) {
    std::string text = "Cannot read HEX file " + std::string(path) + ".";
    text += kLineBreak;
    text += reason;
    return text;
}

std::string hex_write_failure_message(std::string_view path, std::string_view reason) {
    std::string text = "Cannot save HEX file " + std::string(path) + ".";
    text += kLineBreak;
    text += reason;
    return text;
}

}  // namespace picprog
