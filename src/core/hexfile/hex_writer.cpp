#include "core/hexfile/hex_writer.h"

#include <string_view>
#include <vector>

#include "core/hexfile/hex_checksum.h"
#include "core/hexfile/hex_layout.h"
#include "core/memory/hex_text.h"

namespace picprog {
namespace {

constexpr size_t kRecordDataChars = 32;  // 16 bytes a record
constexpr int32_t kRecordBytes = 16;
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kEndOfFileLine = ":00000001FF\r\n";
// Per line: ':' + count, address, type (8) + data + checksum (2) + CR LF.
constexpr size_t kRecordOverheadChars = 13;

void append_record(std::string& out, std::string_view body) {
    out += ':';
    out += body;
    out += hex_checksum(body);
    out += kLineEnd;
}

// Words from index 0 through the last one that differs from `blank`, each
// as hex4_swapped, in one text.
std::string used_words_text(const std::vector<int32_t>& words, int32_t blank) {
    size_t used = words.size();
    while (used > 0 && words[used - 1] == blank) {
        --used;
    }
    std::string text;
    text.reserve(used * 4);
    for (size_t i = 0; i < used; ++i) {
        text += hex4_swapped(words[i]);
    }
    return text;
}

// Cuts the data text into records of 16 bytes from `base_byte_address` on;
// the last record takes what remains.
void append_data_records(std::string& out, std::string_view data, int32_t base_byte_address) {
    std::string body;
    int32_t address = base_byte_address;
    for (size_t pos = 0; pos < data.size(); pos += kRecordDataChars, address += kRecordBytes) {
        const std::string_view chunk = data.substr(pos, kRecordDataChars);
        body = hex2(static_cast<int32_t>(chunk.size() / 2));
        body += hex4(address);
        body += hex2(kRecordData);
        body += chunk;
        append_record(out, body);
    }
}

}  // namespace

std::string hex_file_text(const MemoryImage& image, const CurrentModel& model) {
    const std::string flash = used_words_text(image.flash, kBlankFlashWord);
    const std::string eeprom = used_words_text(image.eeprom, kBlankEepromByte);

    std::string out;
    const size_t records = (flash.size() + eeprom.size()) / kRecordDataChars + 4;
    out.reserve(flash.size() + eeprom.size() + records * kRecordOverheadChars);

    append_data_records(out, flash, 0);

    const bool two_words = model.config2_used;
    std::string config = hex2(two_words ? 4 : 2) + hex4(kConfigByteAddress) + hex2(kRecordData) +
                         hex4_swapped(image.config[1]);
    if (two_words) {
        config += hex4_swapped(image.config[2]);
    }
    append_record(out, config);

    append_data_records(out, eeprom, kEepromByteAddress);
    out += kEndOfFileLine;
    return out;
}

}  // namespace picprog
