#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/hexfile/hex_messages.h"
#include "core/hexfile/hex_reader.h"
#include "hex_test_support.h"

namespace picprog {
namespace {

using testing::make_model;
using testing::record;

const std::string kGood = record(
    "02000000"
    "0100");  // FLASH word 0 = 0001h

struct ErrorCase {
    const char* name;
    std::string text;
    HexError error;
    int32_t line;
};

class HexReaderErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(HexReaderErrors, StopsAtTheBadRecordWithItsNumberAndLine) {
    const ErrorCase& c = GetParam();
    const CurrentModel model = make_model(2048, 128, false);
    MemoryImage image;
    image.blank_image(model);
    const HexParseResult result = parse_hex_file(c.text, model, image);
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(result.line, c.line);
    EXPECT_FALSE(result.ok());
}

const std::vector<ErrorCase> kErrorCases = {
    {"space_before_colon", kGood + "\r\n " + kGood + "\r\n", HexError::MissingColon, 2},
    {"tab_before_colon", "\t" + kGood, HexError::MissingColon, 1},
    {"no_colon", "0200000001003D", HexError::MissingColon, 1},
    {"ten_characters", ":0000000FF", HexError::TooShort, 1},
    {"checksum_off_by_one", ":0200000001003C", HexError::BadChecksum, 1},
    {"tab_after_checksum", kGood + "\t", HexError::BadChecksum, 1},
    {"lower_case_digit", ":020000000a00F4", HexError::BadChecksum, 1},
    // An odd count with a wrong checksum: the checksum is tested first.
    {"checksum_before_count", ":03000000010002FF", HexError::BadChecksum, 1},
    {"type_02", record("020000021000"), HexError::BadRecordType, 1},
    {"type_03", record("0400000300001234"), HexError::BadRecordType, 1},
    {"type_not_hex", record("000000ZZ"), HexError::BadRecordType, 1},
    {"type_04_address_not_zero", record("020010040001"), HexError::BadExtendedAddress, 1},
    {"type_04_no_data", record("00000004"), HexError::BadExtendedAddress, 1},
    {"type_04_short_data", record("0100000400"), HexError::BadExtendedAddress, 1},
    {"type_04_data_not_hex", record("020000040G01"), HexError::BadExtendedAddress, 1},
    {"count_not_hex",
     record("G0000000"
            "0100"),
     HexError::BadByteCount, 1},
    {"address_not_hex",
     record("0200G000"
            "0100"),
     HexError::BadAddress, 1},
    {"count_odd", record("03000000010002"), HexError::OddByteCount, 1},
    {"address_odd",
     record("02000100"
            "0100"),
     HexError::OddAddress, 1},
    {"data_longer_than_count",
     record("02000000"
            "01000200"),
     HexError::LengthMismatch, 1},
    {"data_shorter_than_count",
     record("04000000"
            "0100"),
     HexError::LengthMismatch, 1},
    {"flash_word_4000",
     record("02000000"
            "0040"),
     HexError::BadDataWord, 1},
    {"flash_word_not_hex",
     record("02000000"
            "0Z00"),
     HexError::BadDataWord, 1},
    {"config_not_hex",
     record("02400E00"
            "G03F"),
     HexError::BadDataWord, 1},
    {"id_location_not_hex",
     record("02400000"
            "G000"),
     HexError::BadDataWord, 1},
    {"word_2006_not_hex",
     record("02400C00"
            "G000"),
     HexError::BadDataWord, 1},
    {"eeprom_not_hex",
     record("02420000"
            "G000"),
     HexError::BadDataWord, 1},
    {"second_word_bad",
     record("04000000"
            "01000040"),
     HexError::BadDataWord, 1},
    // Line numbers after the splitting rule.
    {"crlf_one_empty_line_vanishes", kGood + "\r\n\r\n:", HexError::TooShort, 2},
    {"crlf_two_empty_lines_leave_one", kGood + "\r\n\r\n\r\n:", HexError::TooShort, 3},
    {"lf_two_empty_lines_vanish", kGood + "\n\n\n:", HexError::TooShort, 2},
    {"cr_only_line_ends", kGood + "\r" + kGood + "\r:", HexError::TooShort, 3},
    {"comment_and_blank_lines_count", ";c\r\n   \r\n" + kGood + "\r\nx", HexError::MissingColon, 4},
};

INSTANTIATE_TEST_SUITE_P(AllErrors, HexReaderErrors, ::testing::ValuesIn(kErrorCases),
                         [](const ::testing::TestParamInfo<ErrorCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(HexReaderErrors, MessageNamesTheLineAndTheError) {
    const std::vector<std::pair<HexError, std::string>> texts = {
        {HexError::MissingColon, ": The record does not begin with ':' simbol."},
        {HexError::TooShort, ": The record is too short."},
        {HexError::BadChecksum, ": Invalid 'checksum' field in the record."},
        {HexError::BadRecordType, ": Invalid 'record type' field in the record."},
        {HexError::BadExtendedAddress, ": Invalid '04 type' record."},
        {HexError::BadByteCount, ": Invalid 'number of bytes' field in the record."},
        {HexError::BadAddress, ": Invalid 'address' field in the record."},
        {HexError::OddByteCount,
         ": Field 'number of bytes' in the record must contain an even value."},
        {HexError::OddAddress, ": Field 'address' in the record must contain an even value."},
        {HexError::LengthMismatch, ": The record does not contain the specified number of bytes."},
        {HexError::BadDataWord, ": Invalid data byte in the record."},
    };
    for (const auto& [error, text] : texts) {
        HexParseResult result;
        result.error = error;
        result.line = 12;
        EXPECT_EQ(
            hex_error_message(result),
            "Input program file in Intel Hex Format contains errors.\r\nLine number 12" + text)
            << static_cast<int>(error);
    }
}

TEST(HexReaderErrors, NothingAfterTheBadRecordIsStored) {
    const CurrentModel model = make_model(2048, 128, false);
    MemoryImage image;
    image.blank_image(model);
    const std::string text = kGood + "\r\n:0\r\n" +
                             record(
                                 "02000200"
                                 "0200");
    const HexParseResult result = parse_hex_file(text, model, image);
    EXPECT_EQ(result.error, HexError::TooShort);
    EXPECT_EQ(image.flash[0], 1);
    EXPECT_EQ(image.flash[1], 0x3FFF);
    EXPECT_TRUE(result.out_of_range.empty());
}

}  // namespace
}  // namespace picprog
