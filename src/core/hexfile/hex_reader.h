#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/devices/current_model.h"
#include "core/memory/memory_image.h"

namespace picprog {

// Why a HEX file was refused; the numbers are the error numbers users see
// in the message texts' order.
enum class HexError : int32_t {
    None = 0,
    MissingColon = 1,        // the line does not begin with ':'
    TooShort = 2,            // fewer than 11 characters
    BadChecksum = 3,         // checksum field is not hex_checksum of the body
    BadRecordType = 4,       // type other than 00, 01, 04, 05
    BadExtendedAddress = 5,  // malformed type 04 record
    BadByteCount = 6,        // byte count field not hex
    BadAddress = 7,          // address field not hex
    OddByteCount = 8,
    OddAddress = 9,
    LengthMismatch = 10,  // data length is not twice the byte count
    BadDataWord = 11,     // a word not valid hex, or a FLASH word above 3FFFh
};

// The outcome of parsing one HEX file.
struct HexParseResult {
    HexError error = HexError::None;
    // 1-based line of the refused record (lines as split_hex_lines counts
    // them); 0 when the file was accepted.
    int32_t line = 0;
    // Word addresses of data that no row of the address map takes, in file
    // order, repeats included. Shown as a warning; they do not fail a load.
    std::vector<int64_t> out_of_range;
    // One more than the highest FLASH word address stored; 0 when none was.
    int32_t words_loaded = 0;

    bool ok() const { return error == HexError::None; }
};

// Parses the whole text of an Intel HEX file into `image`, which the caller
// has blanked for `model`. Pure: no I/O, no messages.
//
// Reads line by line until an end-of-file record, the last line or the first
// bad record. Word addresses map as: below flash_size to flash (values above
// 3FFFh refused); 2000h-2003h and 2006h dropped; 2007h and 2008h to config,
// masked to 14 bits (2008h whatever config2_used says); 2100h onward, within
// eeprom_size, to eeprom, masked to 8 bits; anything else is listed in
// out_of_range. On error the image keeps what was stored before the bad
// record: the caller blanks it again.
HexParseResult parse_hex_file(std::string_view text, const CurrentModel& model, MemoryImage& image);

}  // namespace picprog
