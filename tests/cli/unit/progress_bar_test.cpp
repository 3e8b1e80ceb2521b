#include "cli/progress_bar.h"

#include <gtest/gtest.h>

namespace picprog {
namespace {

TEST(LocationCaption, ReadsFlashAndEepromCaptions) {
    const auto flash = parse_location_caption("F:123/2048");
    ASSERT_TRUE(flash);
    EXPECT_EQ(flash->memory, 'F');
    EXPECT_EQ(flash->current, 123);
    EXPECT_EQ(flash->last, 2048);
    const auto eeprom = parse_location_caption("E:1/128");
    ASSERT_TRUE(eeprom);
    EXPECT_EQ(eeprom->memory, 'E');
}

TEST(LocationCaption, OtherStatusTextsAreNoLocation) {
    for (const char* text : {"CONF1:", "Begin program all.", "F:", "F:12", "F:1/x", "X:1/2",
                             "Chip programmed. 1.00 seconds elapsed..."}) {
        EXPECT_FALSE(parse_location_caption(text)) << text;
    }
}

TEST(ProgressLine, BarFillsInProportion) {
    EXPECT_EQ(progress_line("F:1024/2048"), "[###############...............]  50% F:1024/2048");
    EXPECT_EQ(progress_line("E:128/128"), "[##############################] 100% E:128/128");
    EXPECT_EQ(progress_line("F:0/10"), "[..............................]   0% F:0/10");
}

TEST(ProgressLine, OtherTextsShowAsTheyAre) {
    EXPECT_EQ(progress_line("CONF2:"), "CONF2:");
}

TEST(ProgressLine, OutOfRangeCountsStayInsideTheBar) {
    EXPECT_EQ(progress_line("F:5/0"), "[..............................]   0% F:5/0");
    EXPECT_EQ(progress_line("F:30/20").substr(0, 37), "[##############################] 100%");
}

TEST(ProgressKey, ChangesOnlyWithTheWholePercentOrTheMemory) {
    EXPECT_EQ(progress_key("F:1000/2048"), progress_key("F:1001/2048"));
    EXPECT_NE(progress_key("F:1000/2048"), progress_key("F:1030/2048"));
    EXPECT_NE(progress_key("F:64/128"), progress_key("E:64/128"));
    EXPECT_NE(progress_key("CONF1:"), progress_key("CONF2:"));
}

}  // namespace
}  // namespace picprog
