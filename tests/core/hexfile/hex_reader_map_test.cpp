#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/hexfile/hex_checksum.h"
#include "core/hexfile/hex_lines.h"
#include "core/hexfile/hex_messages.h"
#include "core/hexfile/hex_reader.h"
#include "core/memory/hex_text.h"
#include "hex_test_support.h"

namespace picprog {
namespace {

using testing::make_model;
using testing::record;

struct Loaded {
    MemoryImage image;
    HexParseResult result;
};

Loaded load(const std::string& text, const CurrentModel& model) {
    Loaded loaded;
    loaded.image.blank_image(model);
    loaded.result = parse_hex_file(text, model, loaded.image);
    return loaded;
}

// One data record putting `word` at word address `address` (below 8000h).
std::string word_record(int32_t address, int32_t word) {
    return record("02" + hex4(2 * address) + "00" + hex4_swapped(word));
}

TEST(HexChecksum, SumsUpperCasePairsModulo256) {
    EXPECT_EQ(hex_checksum("00000001"), "FF");
    EXPECT_EQ(hex_checksum("020000040000"), "FA");
    EXPECT_EQ(hex_checksum("0100000001FF"), "FF");  // sum 101h: 256 - 1
    EXPECT_EQ(hex_checksum("FF01"), "00");          // sum 100h: a multiple of 256 gives 00
    EXPECT_EQ(hex_checksum(""), "00");
    EXPECT_EQ(hex_checksum("0102F"), "FD");  // trailing odd character ignored
    EXPECT_EQ(hex_checksum("0a"), "01");     // lower case adds -1: 256 - (-1) = 257
    EXPECT_EQ(hex_checksum("0a0a"), "02");
}

TEST(HexLines, CollapsesLineFeedPairsTwice) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(split_hex_lines(""), Lines{""});
    EXPECT_EQ(split_hex_lines("a\r\nb\r\n"), (Lines{"a", "b", ""}));
    EXPECT_EQ(split_hex_lines("a\rb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(split_hex_lines("a\r\n\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(split_hex_lines("a\r\n\r\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(split_hex_lines("a\n\n\n\n\n\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(split_hex_lines("a \t"), Lines{"a \t"});
}

TEST(HexReaderMap, AcceptedFilesOfTheEdgeCases) {
    const CurrentModel model = make_model(2048, 128, false);
    struct Case {
        const char* name;
        std::string text;
        int32_t words_loaded;
    };
    const std::vector<Case> cases = {
        {"empty_file", "", 0},
        {"type04_data_end", ":020000040000FA\r\n" + word_record(3, 0x1234) + "\r\n:00000001FF\r\n",
         4},
        {"lines_after_end_ignored", word_record(0, 1) + "\r\n:00000001FF\r\ngarbage\r\n:0\r\n", 1},
        {"no_end_record", word_record(7, 1) + "\r\n", 8},
        {"comment_spaces_empty", ";note\r\n    \r\n\r\n\r\n" + word_record(1, 1) + "   \r\n", 2},
        {"type05_ignored", record("04000005DEADBEEF") + "\n" + word_record(0, 1), 1},
        {"empty_data_record_skipped_whatever_its_count", record("FFG00100"), 0},
        {"only_the_last_flash_word", word_record(2047, 0), 2048},
    };
    for (const Case& c : cases) {
        const Loaded loaded = load(c.text, model);
        EXPECT_TRUE(loaded.result.ok())
            << c.name << " error " << static_cast<int>(loaded.result.error);
        EXPECT_EQ(loaded.result.words_loaded, c.words_loaded) << c.name;
    }
}

TEST(HexReaderMap, StoresEachRowOfTheAddressMap) {
    const CurrentModel model = make_model(2048, 128, true, 0x3FFF, 0x3FFF);
    const std::string text = word_record(0, 0x0000) + "\n" + word_record(0x7FF, 0x3FFE) + "\n" +
                             word_record(0x2000, 0xFFFF) + "\n" + word_record(0x2006, 0xFFFF) +
                             "\n" + word_record(0x2007, 0xFFFF) + "\n" +
                             word_record(0x2008, 0x1234) + "\n" + word_record(0x2100, 0x01AB) +
                             "\n" + word_record(0x217F, 0xFF5A);
    const Loaded loaded = load(text, model);
    ASSERT_TRUE(loaded.result.ok());
    EXPECT_EQ(loaded.image.flash[0], 0);
    EXPECT_EQ(loaded.image.flash[0x7FF], 0x3FFE);
    EXPECT_EQ(loaded.image.config[1], 0x3FFF);  // FFFFh masked to 14 bits
    EXPECT_EQ(loaded.image.config[2], 0x1234);
    EXPECT_EQ(loaded.image.eeprom[0], 0xAB);  // 01ABh masked to the low byte
    EXPECT_EQ(loaded.image.eeprom[127], 0x5A);
    EXPECT_TRUE(loaded.result.out_of_range.empty());  // ID and 2006h dropped silently
    EXPECT_EQ(loaded.result.words_loaded, 2048);
}

TEST(HexReaderMap, Config2IsStoredEvenWhenTheModelDoesNotUseIt) {
    const CurrentModel model = make_model(1024, 0, false, 0x3FFF, 0x3FFF);
    const Loaded loaded = load(record("04400E00"
                                      "FF3F2301"),
                               model);
    ASSERT_TRUE(loaded.result.ok());
    EXPECT_EQ(loaded.image.config[2], 0x0123);
}

TEST(HexReaderMap, FlashLargeEnoughTakesTheIdAddresses) {
    const CurrentModel model = make_model(0x2004, 0, false);
    const Loaded loaded = load(word_record(0x2001, 0x0155), model);
    ASSERT_TRUE(loaded.result.ok());
    EXPECT_EQ(loaded.image.flash[0x2001], 0x0155);
    EXPECT_EQ(loaded.result.words_loaded, 0x2002);
}

TEST(HexReaderMap, ListsDataOutsideTheModelAndKeepsTheRest) {
    const CurrentModel model = make_model(1024, 64, false);
    // Not-hex data at an out-of-range address is not examined.
    const std::string text = word_record(0x2004, 0x0001) + "\n" + word_record(0x2005, 0x0002) +
                             "\n" + word_record(0x2100 + 64, 0x0003) + "\n" +
                             word_record(0x400, 0x0004) + "\n" + record("02400800ZZZZ") + "\n" +
                             word_record(0x3FF, 0x0005) + "\n" + word_record(0x2100 + 63, 0x0006);
    const Loaded loaded = load(text, model);
    ASSERT_TRUE(loaded.result.ok());
    EXPECT_EQ(loaded.result.out_of_range,
              (std::vector<int64_t>{0x2004, 0x2005, 0x2140, 0x400, 0x2004}));
    EXPECT_EQ(loaded.image.flash[0x3FF], 5);
    EXPECT_EQ(loaded.image.eeprom[63], 6);
    EXPECT_EQ(out_of_range_warning(loaded.result.out_of_range),
              "Warning!\r\nInput program file in Intel Hex Format contains errors.\r\n"
              "There are data for 5 addresses out of range:\r\n"
              "2004, 2005, 2140, 0400, 2004.\r\n");
}

TEST(HexReaderMap, WarningShortensLongListsToHeadAndTail) {
    std::vector<int64_t> addresses;
    for (int64_t a = 0x3000; a < 0x3000 + 30; ++a) {
        addresses.push_back(a);
    }
    std::string expected_list;
    for (int64_t a = 0x3000; a < 0x3010; ++a) {
        expected_list += hex4(static_cast<int32_t>(a)) + ", ";
    }
    expected_list += "..., 3016, 3017, 3018, 3019, 301A, 301B, 301C, 301D.";
    EXPECT_EQ(out_of_range_warning(addresses),
              "Warning!\r\nInput program file in Intel Hex Format contains errors.\r\n"
              "There are data for 30 addresses out of range:\r\n" +
                  expected_list + "\r\n");

    // 24 entries are still listed in full; 25 are not.
    addresses.resize(24);
    EXPECT_EQ(out_of_range_warning(addresses).find("..."), std::string::npos);
    addresses.push_back(0x4000);
    EXPECT_NE(out_of_range_warning(addresses).find("300F, ..., 3011"), std::string::npos);
}

TEST(HexReaderMap, ThirtyOutOfRangeWordsFromAFile) {
    const CurrentModel model = make_model(1024, 0, false);
    std::string data;
    for (int i = 0; i < 30; ++i) {
        data += hex4_swapped(i);
    }
    // 30 words from 0400h (just past FLASH): two records, 16 + 14 words.
    const std::string text =
        record("20080000" + data.substr(0, 64)) + "\n" + record("1C082000" + data.substr(64));
    const Loaded loaded = load(text, model);
    ASSERT_TRUE(loaded.result.ok());
    ASSERT_EQ(loaded.result.out_of_range.size(), 30u);
    const std::string warning = out_of_range_warning(loaded.result.out_of_range);
    EXPECT_NE(warning.find("for 30 addresses"), std::string::npos);
    EXPECT_NE(warning.find("040E, 040F, ..., 0416, 0417"), std::string::npos);
    EXPECT_NE(warning.find("041C, 041D.\r\n"), std::string::npos);
}

TEST(HexReaderMap, ExtendedAddressMovesDataUpBy8000hWords) {
    const CurrentModel model = make_model(0x10000, 0, false);
    const std::string text = record("020000040001") + "\n" + word_record(0x0010, 0x0ABC) + "\n" +
                             record("020000040000") + "\n" + word_record(0x0010, 0x0DEF);
    const Loaded loaded = load(text, model);
    ASSERT_TRUE(loaded.result.ok());
    EXPECT_EQ(loaded.image.flash[0x8010], 0x0ABC);
    EXPECT_EQ(loaded.image.flash[0x0010], 0x0DEF);
    EXPECT_EQ(loaded.result.words_loaded, 0x8011);
}

TEST(HexReaderMap, HighExtendedAddressIsOutOfRangeNotACrash) {
    const CurrentModel model = make_model(2048, 128, false);
    const std::string text =
        record("02000004FFFF") + "\n" + record("10FFF000" + std::string(32, 'F'));
    const Loaded loaded = load(text, model);
    ASSERT_TRUE(loaded.result.ok());
    ASSERT_EQ(loaded.result.out_of_range.size(), 8u);
    EXPECT_EQ(loaded.result.out_of_range.front(), 0xFFFFLL * 0x8000 + 0x7FF8);
}

TEST(HexStatusText, KilowordFigureIsShortestDecimalCutToFourCharacters) {
    const std::vector<std::pair<int32_t, std::string>> cases = {
        {0, "0"},        {1024, "1"},     {1536, "1.5"},     {512, ".5"},          {1000, ".976"},
        {2047, "1.99"},  {8192, "8"},     {1, ".000"},       {3, ".002"},          {10240, "10"},
        {10752, "10.5"}, {102400, "100"}, {1049600, "1025"}, {2048 + 256, "2.25"},
    };
    for (const auto& [words, text] : cases) {
        EXPECT_EQ(kiloword_text(words), text) << words;
    }
    EXPECT_EQ(loaded_status_text(1536),
              "Operation completed. Total 1536 (1.5K) program words loaded.");
    EXPECT_EQ(loaded_status_text(0), "Operation completed. Total 0 (0K) program words loaded.");
}

TEST(HexStatusText, PathLabelKeepsTheLast70Characters) {
    const std::string seventy(70, 'p');
    EXPECT_EQ(hex_path_label(""), "");
    EXPECT_EQ(hex_path_label(seventy), seventy);
    EXPECT_EQ(hex_path_label("/" + seventy), "... " + seventy);
    EXPECT_EQ(hex_path_label("/very/long/" + seventy), "... " + seventy);
    // Counted in characters: a two-byte character is not cut in half.
    const std::string accented = "\xC3\xA9" + std::string(69, 'q');  // "é" + 69
    EXPECT_EQ(hex_path_label("/dir/" + accented), "... " + accented);
    EXPECT_EQ(hex_path_label(accented), accented);
}

}  // namespace
}  // namespace picprog
