// Loads files that gpasm (gputils) assembled and compares the image word for
// word with what gpasm's own listing says it emitted. The sources and the
// generator are in fixtures/ and scripts/regen-hex-fixtures.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/hexfile/hex_layout.h"
#include "core/hexfile/hex_messages.h"
#include "core/hexfile/hex_reader.h"
#include "core/hexfile/hex_writer.h"
#include "core/memory/hex_text.h"
#include "hex_test_support.h"

namespace picprog {
namespace {

using testing::make_model;

std::string fixture(const std::string& name) {
    std::ifstream in(std::string(PICPROG_SOURCE_DIR) + "/tests/core/hexfile/fixtures/" + name,
                     std::ios::binary);
    EXPECT_TRUE(in) << name;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool is_hex_field(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

// Word address -> word, read from a gpasm listing. Each listing line has the
// location in columns 1-4 (blank on continuation lines) and the object code
// in columns 8-22: four-digit groups are program words; two-digit groups are
// `de` bytes, for which gpasm's location counts bytes from 2100h and the file
// places byte k of the run at word 2100h + k / 2, low byte first.
std::map<int64_t, int32_t> listing_words(const std::string& listing) {
    constexpr size_t kObjectColumn = 7;
    constexpr size_t kObjectWidth = 15;
    std::map<int64_t, int32_t> words;
    int64_t location = 0;
    std::istringstream lines(listing);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.find("SYMBOL TABLE") != std::string::npos) {
            break;
        }
        if (line.size() <= kObjectColumn || line.compare(4, 3, "   ") != 0) {
            continue;
        }
        const std::string location_field = line.substr(0, 4);
        if (is_hex_field(location_field)) {
            location = std::stoll(location_field, nullptr, 16);
        } else if (location_field != "    ") {
            continue;
        }
        std::istringstream object(line.substr(kObjectColumn, kObjectWidth));
        std::string group;
        while (object >> group) {
            EXPECT_TRUE(is_hex_field(group)) << line;
            const int32_t value = std::stoi(group, nullptr, 16);
            if (group.size() == 4) {
                words[location++] = value;
            } else if (group.size() == 2) {
                const int64_t offset = location++ - kEepromWordBase;
                const int64_t word = kEepromWordBase + offset / 2;
                words[word] |= offset % 2 == 0 ? value : value << 8;
            } else {
                ADD_FAILURE() << "unexpected object group in: " << line;
            }
        }
    }
    return words;
}

// The image and words_loaded the listing implies for the model.
struct Expected {
    MemoryImage image;
    int32_t words_loaded = 0;
};

Expected expected_from_listing(const std::string& listing, const CurrentModel& model) {
    Expected expected;
    expected.image.blank_image(model);
    for (const auto& [address, word] : listing_words(listing)) {
        if (address < model.flash_size) {
            expected.image.flash[static_cast<size_t>(address)] = word;
            expected.words_loaded =
                std::max(expected.words_loaded, static_cast<int32_t>(address + 1));
        } else if (address == kConfig1Address || address == kConfig2Address) {
            expected.image.config[static_cast<size_t>(address - kConfigIndexBase)] = word & 0x3FFF;
        } else if (address >= kEepromWordBase && address < kEepromWordBase + model.eeprom_size) {
            expected.image.eeprom[static_cast<size_t>(address - kEepromWordBase)] = word & 0xFF;
        } else {
            EXPECT_TRUE(address >= kIdLocationFirst && address <= kIdLocationLast) << address;
        }
    }
    return expected;
}

std::string eeprom_text(const MemoryImage& image, size_t length) {
    std::string text;
    for (size_t i = 0; i < length; ++i) {
        text += static_cast<char>(image.eeprom[i]);
    }
    return text;
}

struct Fixture {
    const char* name;  // base name of the .asm
    const char* format;
    CurrentModel model;
};

class GpasmFixtures : public ::testing::TestWithParam<Fixture> {};

TEST_P(GpasmFixtures, ImageMatchesTheListingWordForWord) {
    const Fixture& f = GetParam();
    const std::string base = std::string(f.name) + "." + f.format;
    const Expected expected = expected_from_listing(fixture(base + ".lst"), f.model);

    MemoryImage image;
    image.blank_image(f.model);
    const HexParseResult result = parse_hex_file(fixture(base + ".hex"), f.model, image);
    ASSERT_TRUE(result.ok()) << hex_error_message(result);
    EXPECT_TRUE(result.out_of_range.empty());
    EXPECT_EQ(result.words_loaded, expected.words_loaded);
    for (size_t a = 0; a < image.flash.size(); ++a) {
        ASSERT_EQ(image.flash[a], expected.image.flash[a])
            << base << " FLASH " << hex4h(static_cast<int32_t>(a));
    }
    EXPECT_EQ(image.eeprom, expected.image.eeprom) << base;
    EXPECT_EQ(image.config, expected.image.config) << base;

    // What we write for that image reads back the same.
    MemoryImage reread;
    reread.blank_image(f.model);
    ASSERT_TRUE(parse_hex_file(hex_file_text(image, f.model), f.model, reread).ok());
    EXPECT_EQ(reread.flash, image.flash);
    EXPECT_EQ(reread.eeprom, image.eeprom);
    EXPECT_EQ(reread.config[1], image.config[1]);
}

const CurrentModel k628a = make_model(2048, 128, false, 0x3FFF, 0x3FFF);
const CurrentModel k877a = make_model(8192, 256, false, 0x3FFF, 0x3FFF);
const CurrentModel k675 = make_model(1024, 128, false, 0x31FF, 0x3FFF);

INSTANTIATE_TEST_SUITE_P(Files, GpasmFixtures,
                         ::testing::Values(Fixture{"f628a_blink", "inhx8m", k628a},
                                           Fixture{"f628a_blink", "inhx32", k628a},
                                           Fixture{"f877a_pages", "inhx8m", k877a},
                                           Fixture{"f877a_pages", "inhx32", k877a},
                                           Fixture{"f675_boostc_config", "inhx32", k675}),
                         [](const ::testing::TestParamInfo<Fixture>& info) {
                             return std::string(info.param.name) + "_" + info.param.format;
                         });

// Values read off the listings by hand, so that a fault shared by the listing
// parser and the reader cannot hide.
TEST(GpasmFixtures, KnownWordsOf16F628A) {
    MemoryImage image;
    image.blank_image(k628a);
    const HexParseResult result = parse_hex_file(fixture("f628a_blink.inhx32.hex"), k628a, image);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(image.flash[0x000], 0x2806);  // goto start
    EXPECT_EQ(image.flash[0x004], 0x110B);  // bcf INTCON, T0IF
    EXPECT_EQ(image.flash[0x7F8], 0x0782);  // addwf PCL, f
    EXPECT_EQ(image.flash[0x7FF], 0x347D);  // retlw 0x7D, the last FLASH word
    EXPECT_EQ(image.flash[0x7F7], 0x3FFF);
    EXPECT_EQ(result.words_loaded, 2048);
    EXPECT_EQ(image.config[1], 0x3F70);
    EXPECT_EQ(eeprom_text(image, 9), "Quellmark");
    EXPECT_EQ(image.eeprom[9], 0x00);
    EXPECT_EQ(image.eeprom[10], 0xA5);
    EXPECT_EQ(image.eeprom[12], 0x34);
    EXPECT_EQ(image.eeprom[13], 0xFF);
}

TEST(GpasmFixtures, KnownWordsOf16F877A) {
    MemoryImage image;
    image.blank_image(k877a);
    const HexParseResult result = parse_hex_file(fixture("f877a_pages.inhx8m.hex"), k877a, image);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(image.flash[0x0000], 0x018A);
    EXPECT_EQ(image.flash[0x0001], 0x2810);
    EXPECT_EQ(image.flash[0x0014], 0x3FFF);  // written on purpose by dw
    EXPECT_EQ(image.flash[0x0016], 0x0000);
    EXPECT_EQ(image.flash[0x1800], 0x1683);
    EXPECT_EQ(image.flash[0x1FFF], 0x34D4);
    EXPECT_EQ(result.words_loaded, 8192);
    EXPECT_EQ(image.config[1], 0x3F72);
    EXPECT_EQ(eeprom_text(image, 17), "PIC16F877A eeprom");
    EXPECT_EQ(image.eeprom[18], 0xF0);
    EXPECT_EQ(image.eeprom[32], 0xFE);
    EXPECT_EQ(image.eeprom[33], 0x00);
    EXPECT_EQ(image.eeprom[34], 0xFF);
}

TEST(GpasmFixtures, A16F877AFileOnA16F628AListsTheHighPages) {
    MemoryImage image;
    image.blank_image(k628a);
    const HexParseResult result = parse_hex_file(fixture("f877a_pages.inhx32.hex"), k628a, image);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.out_of_range, (std::vector<int64_t>{0x1800, 0x1801, 0x1802, 0x1803, 0x1804,
                                                         0x1FFC, 0x1FFD, 0x1FFE, 0x1FFF}));
    EXPECT_EQ(result.words_loaded, 0x18);
    EXPECT_EQ(image.flash[0x0017], 0x2810);
    EXPECT_NE(out_of_range_warning(result.out_of_range)
                  .find("9 addresses out of range:\r\n1800, 1801, 1802, 1803, 1804, 1FFC, 1FFD, "
                        "1FFE, 1FFF.\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace picprog
