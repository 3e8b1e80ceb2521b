#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/hexfile/hex_checksum.h"
#include "core/hexfile/hex_lines.h"
#include "core/hexfile/hex_reader.h"
#include "core/hexfile/hex_writer.h"
#include "hex_test_support.h"

namespace picprog {
namespace {

using testing::make_model;

MemoryImage blank(const CurrentModel& model) {
    MemoryImage image;
    image.blank_image(model);
    return image;
}

TEST(HexWriter, RecordsForTheEdgeCases) {
    const CurrentModel model = make_model(1024, 64, false, 0x3FFF, 0x3FFF);
    struct Case {
        const char* name;
        std::function<void(MemoryImage&)> fill;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"blank", [](MemoryImage&) {}, ":02400E00FF3F72\r\n:00000001FF\r\n"},
        {"one_word_at_zero", [](MemoryImage& m) { m.flash[0] = 1; },
         ":020000000100FD\r\n:02400E00FF3F72\r\n:00000001FF\r\n"},
        {"eight_words_one_full_record",
         [](MemoryImage& m) {
             for (int i = 0; i < 8; ++i)
                 m.flash[i] = 0x100 + i;
         },
         ":1000000000010101020103010401050106010701CC\r\n:02400E00FF3F72\r\n:00000001FF\r\n"},
        {"nine_words_two_records",
         [](MemoryImage& m) {
             for (int i = 0; i < 9; ++i)
                 m.flash[i] = 0x100 + i;
         },
         ":1000000000010101020103010401050106010701CC\r\n:020010000801E5\r\n"
         ":02400E00FF3F72\r\n:00000001FF\r\n"},
        {"blank_word_inside_is_written",
         [](MemoryImage& m) {
             m.flash[0] = 0x2800;
             m.flash[2] = 0x0008;
         },
         ":060000000028FF3F08008C\r\n:02400E00FF3F72\r\n:00000001FF\r\n"},
        {"eeprom_byte_at_zero", [](MemoryImage& m) { m.eeprom[0] = 0x5A; },
         ":02400E00FF3F72\r\n:024200005A0062\r\n:00000001FF\r\n"},
        {"config_low_16_bits", [](MemoryImage& m) { m.config[1] = 0x13F72; },
         ":02400E00723FFF\r\n:00000001FF\r\n"},
    };
    for (const Case& c : cases) {
        MemoryImage image = blank(model);
        c.fill(image);
        EXPECT_EQ(hex_file_text(image, model), c.expected) << c.name;
    }
}

TEST(HexWriter, Config2UsedWritesBothWordsConfig1First) {
    const CurrentModel model = make_model(1024, 0, true, 0x3FFF, 0x3FFF);
    MemoryImage image = blank(model);
    image.config[1] = 0x2007;
    image.config[2] = 0x0123;
    EXPECT_EQ(hex_file_text(image, model), ":04400E000720230163\r\n:00000001FF\r\n");
}

TEST(HexWriter, EepromRecordsAdvanceSixteenBytesFrom4200h) {
    const CurrentModel model = make_model(1024, 128, false);
    MemoryImage image = blank(model);
    image.eeprom[8] = 0x00;  // ninth byte: the second record
    const std::vector<std::string> lines = split_hex_lines(hex_file_text(image, model));
    ASSERT_EQ(lines.size(), 5u);  // config, two EEPROM records, end, final empty piece
    EXPECT_EQ(lines[1], ":10420000FF00FF00FF00FF00FF00FF00FF00FF00B6");
    EXPECT_EQ(lines[2], ":024210000000AC");
}

// Every line is upper case and carries the checksum its body needs.
TEST(HexWriter, EveryLineIsAWellFormedRecord) {
    const CurrentModel model = make_model(8192, 256, true);
    MemoryImage image = blank(model);
    std::mt19937 random(7);
    for (int32_t& word : image.flash)
        word = static_cast<int32_t>(random() % 0x4000);
    for (int32_t& byte : image.eeprom)
        byte = static_cast<int32_t>(random() % 0x100);
    const std::string text = hex_file_text(image, model);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(text.find('\n', 0), text.find("\r\n") + 1);
    const std::vector<std::string> lines = split_hex_lines(text);
    EXPECT_EQ(lines.size(), 8192 / 8 + 1 + 256 / 8 + 1 + 1u);
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        const std::string& line = lines[i];
        ASSERT_EQ(line.front(), ':');
        EXPECT_EQ(line.find_first_not_of("0123456789ABCDEF", 1), std::string::npos) << line;
        EXPECT_EQ(line.substr(line.size() - 2),
                  hex_checksum(std::string_view(line).substr(1, line.size() - 3)));
    }
}

struct Shape {
    const char* name;
    int32_t flash_size;
    int32_t eeprom_size;
    bool config2_used;
};

class HexRoundTrip : public ::testing::TestWithParam<Shape> {};

TEST_P(HexRoundTrip, RandomImagesComeBackTheSame) {
    const Shape& shape = GetParam();
    const CurrentModel model =
        make_model(shape.flash_size, shape.eeprom_size, shape.config2_used, 0x3FF4, 0x3FFC);
    std::mt19937 random(1234);
    for (int trial = 0; trial < 20; ++trial) {
        MemoryImage image = blank(model);
        // Sparse and dense fills, blank words among them and at the ends.
        const unsigned density = 1 + random() % 4;
        for (int32_t& word : image.flash) {
            if (random() % 4 < density)
                word = static_cast<int32_t>(random() % 0x4000);
        }
        for (int32_t& byte : image.eeprom) {
            if (random() % 4 < density)
                byte = static_cast<int32_t>(random() % 0x100);
        }
        image.config[1] = static_cast<int32_t>(random() % 0x4000);
        image.config[2] = static_cast<int32_t>(random() % 0x4000);

        MemoryImage reread = blank(model);
        const HexParseResult result = parse_hex_file(hex_file_text(image, model), model, reread);
        ASSERT_TRUE(result.ok()) << static_cast<int>(result.error) << " line " << result.line;
        EXPECT_TRUE(result.out_of_range.empty());

        MemoryImage expected = image;
        if (!model.config2_used)
            expected.config[2] = model.config_erased[2];
        EXPECT_EQ(reread.flash, expected.flash) << shape.name << " trial " << trial;
        EXPECT_EQ(reread.eeprom, expected.eeprom) << shape.name << " trial " << trial;
        EXPECT_EQ(reread.config, expected.config) << shape.name << " trial " << trial;

        int32_t highest = 0;
        for (int32_t a = 0; a < model.flash_size; ++a) {
            if (image.flash[static_cast<size_t>(a)] != 0x3FFF)
                highest = a + 1;
        }
        EXPECT_EQ(result.words_loaded, highest);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, HexRoundTrip,
    ::testing::Values(Shape{"f628a", 2048, 128, false}, Shape{"f877a", 8192, 256, false},
                      Shape{"no_eeprom", 1024, 0, false}, Shape{"config2", 4096, 256, true},
                      Shape{"odd_sizes", 1000, 100, true}),
    [](const ::testing::TestParamInfo<Shape>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace picprog
