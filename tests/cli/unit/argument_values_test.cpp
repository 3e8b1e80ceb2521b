#include <gtest/gtest.h>

#include "cli/buffer_rows.h"
#include "cli/console_view.h"
#include "cli/model_choice.h"
#include "cli/port_choice.h"

namespace picprog {
namespace {

DeviceDatabase two_models() {
    DeviceDatabase database;
    database.models.resize(2);
    database.models[0].name = "PIC16F84A";
    database.models[1].name = "PIC16F628A ";
    return database;
}

TEST(ModelChoice, NumberOrNameWithOrWithoutPrefix) {
    const DeviceDatabase database = two_models();
    EXPECT_EQ(find_model(database, "2"), 2);
    EXPECT_EQ(find_model(database, "PIC16F628A"), 2);
    EXPECT_EQ(find_model(database, "16f628a"), 2);
    EXPECT_EQ(find_model(database, "pic16f84a"), 1);
}

TEST(ModelChoice, NothingElseMatches) {
    const DeviceDatabase database = two_models();
    for (const char* argument : {"0", "3", "99999999999", "16F628", "", "PIC"}) {
        EXPECT_EQ(find_model(database, argument), std::nullopt) << argument;
    }
}

TEST(PortChoice, PortNumbersAndAddresses) {
    EXPECT_EQ(parse_port_argument("1"), 0x378);
    EXPECT_EQ(parse_port_argument("2"), 0x278);
    EXPECT_EQ(parse_port_argument("3"), 0x3BC);
    EXPECT_EQ(parse_port_argument("888"), 888);
    EXPECT_EQ(parse_port_argument("0x278"), 0x278);
    EXPECT_EQ(parse_port_argument("3BCh"), 0x3BC);
    for (const char* bad : {"", "0", "4x", "LPT1", "0x", "h", "70000", "-5"}) {
        EXPECT_EQ(parse_port_argument(bad), std::nullopt) << bad;
    }
}

TEST(PortChoice, NamesThePortAsTheStatusLineDoes) {
    EXPECT_EQ(port_name(888), "Parallel port 1");
    EXPECT_EQ(port_name(956), "Parallel port 3");
    EXPECT_EQ(port_name(4660), "Parallel port at address 4660");
}

TEST(BufferRows, EightLocationsARowWithTableAddresses) {
    MemoryImage image;
    image.flash.assign(20, 0x3FFF);
    image.flash[9] = 0x0123;
    image.eeprom.assign(8, 0xFF);
    image.eeprom[7] = 0x5A;
    const auto flash = flash_rows(image);
    ASSERT_EQ(flash.size(), 3u);
    EXPECT_EQ(flash[1], "000008: 3FFF 0123 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF");
    EXPECT_EQ(flash[2], "000010: 3FFF 3FFF 3FFF 3FFF");
    const auto eeprom = eeprom_rows(image);
    ASSERT_EQ(eeprom.size(), 1u);
    EXPECT_EQ(eeprom[0], "0000: FF FF FF FF FF FF FF 5A");
    EXPECT_TRUE(eeprom_rows(MemoryImage{}).empty());
}

TEST(ConsoleText, MessageLineEndsBecomePlain) {
    EXPECT_EQ(plain_line_ends("a\r\n\r\nb\rc\n"), "a\n\nb\nc\n");
}

}  // namespace
}  // namespace picprog
