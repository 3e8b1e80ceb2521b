#include "core/memory/memory_image.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace picprog {
namespace {

ImageShape model_with(int32_t flash, int32_t eeprom, int32_t erased1, int32_t erased2) {
    return {flash, eeprom, {0, erased1, erased2}};
}

TEST(BlankImage, FillsEveryLocationWithItsBlankValue) {
    MemoryImage image;
    image.blank_image(model_with(2048, 128, 0x3FFF, 0x3FFF));
    ASSERT_EQ(image.flash.size(), 2048u);
    ASSERT_EQ(image.eeprom.size(), 128u);
    EXPECT_TRUE(
        std::all_of(image.flash.begin(), image.flash.end(), [](int32_t w) { return w == 0x3FFF; }));
    EXPECT_TRUE(
        std::all_of(image.eeprom.begin(), image.eeprom.end(), [](int32_t b) { return b == 0xFF; }));
    // The second word is held even for a model that does not use it.
    EXPECT_EQ(image.config[1], 0x3FFF);
    EXPECT_EQ(image.config[2], 0x3FFF);
}

TEST(BlankImage, TakesErasedConfigurationValuesAsGivenIncludingMalformedOnes) {
    MemoryImage image;
    image.blank_image(model_with(64, 0, 0x1FFF, -1));
    EXPECT_EQ(image.config[1], 0x1FFF);
    EXPECT_EQ(image.config[2], -1);
    EXPECT_TRUE(image.eeprom.empty());
}

TEST(BlankImage, LeavesNothingOfAPreviousModelBehind) {
    MemoryImage image;
    image.blank_image(model_with(8192, 256, 0x3FFF, 0x3FFF));
    image.flash[8191] = 0x1234;
    image.flash[10] = 0;
    image.eeprom[255] = 0x12;
    image.config[1] = 0x0000;

    image.blank_image(model_with(1024, 64, 0x3FFF, 0x3FFF));
    ASSERT_EQ(image.flash.size(), 1024u);
    ASSERT_EQ(image.eeprom.size(), 64u);
    EXPECT_EQ(image.flash[10], 0x3FFF);
    EXPECT_EQ(image.config[1], 0x3FFF);

    image.blank_image(model_with(8192, 256, 0x3FFF, 0x3FFF));
    EXPECT_EQ(image.flash[8191], 0x3FFF);
    EXPECT_EQ(image.eeprom[255], 0xFF);
}

TEST(BlankImage, NegativeSizesGiveEmptyMemories) {
    MemoryImage image;
    image.blank_image(model_with(-5, -1, 0x3FFF, 0x3FFF));
    EXPECT_TRUE(image.flash.empty());
    EXPECT_TRUE(image.eeprom.empty());
}

}  // namespace
}  // namespace picprog
