#include "binary/tool_run.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

using Dump = ToolTest;

TEST_F(Dump, PrintsTablesConfigurationAndWordsLoaded) {
    const Result result = run(with_test_db({"dump", "--model", "2", fixture("blink.hex")}));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("Microcontroller Model: PIC16F628A\n"
                                      "FLASH: 2048,  EEPROM: 128\n"));
    EXPECT_THAT(result.out,
                HasSubstr("FLASH Memory\n000000: 1683 0186 1283 3055 0086 0986 2805 3FFF\n"
                          "000008: 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF\n"));
    EXPECT_THAT(result.out, HasSubstr("\n0007F8: 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF\n\n"));
    EXPECT_THAT(result.out, Not(HasSubstr("000800:")));
    EXPECT_THAT(result.out, HasSubstr("EEPROM Memory\n0000: 51 4D FF FF FF FF FF FF\n"));
    EXPECT_THAT(result.out, HasSubstr("\n0078: FF FF FF FF FF FF FF FF\n"));
    EXPECT_THAT(result.out, HasSubstr("Config. Word (2007h): 3F10\n"));
    EXPECT_THAT(result.out, Not(HasSubstr("2008h")));
    EXPECT_THAT(result.out,
                HasSubstr("Operation completed. Total 7 (.006K) program words loaded.\n"));
}

TEST_F(Dump, OutOfRangeDataGivesTheReadersWarning) {
    const Result result =
        run(with_test_db({"dump", "--model", "PIC16F628A", fixture("out-of-range.hex")}));
    EXPECT_EQ(result.status, 0);
    EXPECT_THAT(result.out, HasSubstr("Warning!\n"));
    EXPECT_THAT(result.out, HasSubstr("There are data for 3 addresses out of range:\n"
                                      "0800, 2004, 2180."));
    EXPECT_THAT(result.out, HasSubstr("000000: 2800 3FFF"));
    EXPECT_THAT(result.out, HasSubstr("Total 1 (.000K) program words loaded."));
}

TEST_F(Dump, SmallerModelPutsMoreOutOfRange) {
    // Word 0800h lies beyond the 16F627A's 1024 words as well.
    const Result result =
        run(with_test_db({"dump", "--model", "PIC16F627A", fixture("out-of-range.hex")}));
    EXPECT_EQ(result.status, 0);
    EXPECT_THAT(result.out, HasSubstr("FLASH: 1024,  EEPROM: 128"));
    EXPECT_THAT(result.out, HasSubstr("0003F8: 3FFF"));
    EXPECT_THAT(result.out, Not(HasSubstr("000400:")));
}

TEST_F(Dump, BadRecordIsStatusTwoWithTheLineNumber) {
    const Result result = run(with_test_db({"dump", "--model", "2", fixture("bad-checksum.hex")}));
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr("Line number 2: Invalid 'checksum' field in the record."));
    EXPECT_THAT(result.err, HasSubstr("HEX file not loaded!"));
    EXPECT_EQ(result.out, "");
}

}  // namespace
