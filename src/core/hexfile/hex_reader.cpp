#include "core/hexfile/hex_reader.h"

#include <algorithm>
#include <string>

#include "core/hexfile/hex_checksum.h"
#include "core/hexfile/hex_layout.h"
#include "core/hexfile/hex_lines.h"
#include "core/memory/hex_text.h"

namespace picprog {
namespace {

constexpr char kRecordMark = ':';
constexpr char kCommentMark = ';';
constexpr size_t kMinRecordChars = 11;  // ':' + count, address, type, checksum
constexpr size_t kChecksumChars = 2;
constexpr size_t kCountPos = 0;  // field positions within the record body
constexpr size_t kAddressPos = 2;
constexpr size_t kTypePos = 6;
constexpr size_t kDataPos = 8;
constexpr size_t kExtendedAddressChars = 4;
constexpr size_t kWordChars = 4;

// What one record asks the reader to do next.
enum class Step { Continue, Stop };

struct ReaderState {
    const CurrentModel& model;
    MemoryImage& image;
    HexParseResult& result;
    int64_t upper_address = 0;  // from the last type 04 record
};

// Reads the word of a data record: "3412" in the file is 1234h.
int32_t swapped_word(std::string_view chars) {
    std::string swapped;
    swapped.reserve(kWordChars);
    swapped.append(chars.substr(2, 2));
    swapped.append(chars.substr(0, 2));
    return parse_hex4(swapped);
}

bool in_range(int64_t value, int64_t first, int64_t last) {
    return value >= first && value <= last;
}

// Places one word by the address map; false when the value is refused.
bool place_word(ReaderState& state, int64_t address, int32_t value) {
    // The image should have the model's sizes; bounding by both keeps a
    // caller's mistake from writing outside the vectors.
    const int64_t flash_end =
        std::min<int64_t>(state.model.flash_size, static_cast<int64_t>(state.image.flash.size()));
    const int64_t eeprom_end =
        std::min<int64_t>(state.model.eeprom_size, static_cast<int64_t>(state.image.eeprom.size()));
    if (address >= 0 && address < flash_end) {
        if (!in_range(value, 0, kFlashWordMask)) {
            return false;
        }
        state.image.flash[static_cast<size_t>(address)] = value;
        state.result.words_loaded =
            std::max(state.result.words_loaded, static_cast<int32_t>(address + 1));
        return true;
    }
    const bool dropped =
        in_range(address, kIdLocationFirst, kIdLocationLast) || address == kReservedWord;
    const bool config = address == kConfig1Address || address == kConfig2Address;
    const bool eeprom = in_range(address, kEepromWordBase, kEepromWordBase + eeprom_end - 1);
    if (!dropped && !config && !eeprom) {
        state.result.out_of_range.push_back(address);
        return true;
    }
    if (value < 0) {
        return false;
    }
    if (config) {
        state.image.config[static_cast<size_t>(address - kConfigIndexBase)] =
            value & kFlashWordMask;
    } else if (eeprom) {
        state.image.eeprom[static_cast<size_t>(address - kEepromWordBase)] =
            value & kEepromByteMask;
    }
    return true;
}

HexError read_data_record(ReaderState& state, std::string_view body) {
    const std::string_view data = body.substr(kDataPos);
    if (data.empty()) {
        return HexError::None;
    }
    const int32_t count = parse_hex2(body.substr(kCountPos, 2));
    const int32_t address = parse_hex4(body.substr(kAddressPos, 4));
    if (count < 0) {
        return HexError::BadByteCount;
    }
    if (address < 0) {
        return HexError::BadAddress;
    }
    if (count % 2 != 0) {
        return HexError::OddByteCount;
    }
    if (address % 2 != 0) {
        return HexError::OddAddress;
    }
    if (data.size() != 2 * static_cast<size_t>(count)) {
        return HexError::LengthMismatch;
    }
    int64_t word_address = state.upper_address * kExtendedAddressWords + address / 2;
    for (size_t pos = 0; pos < data.size(); pos += kWordChars, ++word_address) {
        if (!place_word(state, word_address, swapped_word(data.substr(pos, kWordChars)))) {
            return HexError::BadDataWord;
        }
    }
    return HexError::None;
}

HexError read_extended_address(ReaderState& state, std::string_view body) {
    const std::string_view data = body.substr(kDataPos);
    const int32_t value = data.size() == kExtendedAddressChars ? parse_hex4(data) : -1;
    if (body.substr(kAddressPos, 4) != "0000" || value < 0) {
        return HexError::BadExtendedAddress;
    }
    state.upper_address = value;
    return HexError::None;
}

// Checks one line and carries out its record. The tests run in a fixed
// order, the checksum before any field, because the error number a user
// sees depends on it.
HexError read_line(ReaderState& state, std::string_view line, Step& step) {
    step = Step::Continue;
    const size_t kept = line.find_last_not_of(' ');
    line = kept == std::string_view::npos ? std::string_view{} : line.substr(0, kept + 1);
    if (line.empty() || line.front() == kCommentMark) {
        return HexError::None;
    }
    if (line.front() != kRecordMark) {
        return HexError::MissingColon;
    }
    if (line.size() < kMinRecordChars) {
        return HexError::TooShort;
    }
    const std::string_view body = line.substr(1, line.size() - 1 - kChecksumChars);
    if (line.substr(line.size() - kChecksumChars) != hex_checksum(body)) {
        return HexError::BadChecksum;
    }
    switch (parse_hex2(body.substr(kTypePos, 2))) {
        case kRecordData:
            return read_data_record(state, body);
        case kRecordEndOfFile:
            step = Step::Stop;
            return HexError::None;
        case kRecordExtendedLinearAddress:
            return read_extended_address(state, body);
        case kRecordStartLinearAddress:
            return HexError::None;
        default:
            return HexError::BadRecordType;
    }
}

}  // namespace

HexParseResult parse_hex_file(std::string_view text, const CurrentModel& model,
                              MemoryImage& image) {
    HexParseResult result;
    ReaderState state{model, image, result};
    const std::vector<std::string> lines = split_hex_lines(text);
    for (size_t index = 0; index < lines.size(); ++index) {
        Step step = Step::Continue;
        const HexError error = read_line(state, lines[index], step);
        if (error != HexError::None) {
            result.error = error;
            result.line = static_cast<int32_t>(index + 1);
            return result;
        }
        if (step == Step::Stop) {
            break;
        }
    }
    return result;
}

}  // namespace picprog
