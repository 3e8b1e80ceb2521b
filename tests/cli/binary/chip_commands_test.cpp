#include <string>

#include "binary/tool_run.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class ChipCommands : public ToolTest {
protected:
    // A chip command on the 16F628A of the test database, its memory kept
    // in chip.state between runs.
    Result chip(std::vector<std::string> args) const {
        args.push_back("--model");
        args.push_back("PIC16F628A");
        args.push_back("--simulate=" + path("chip.state"));
        return run(with_test_db(std::move(args)));
    }

    // The data records of a HEX file (every line but the end record).
    static std::vector<std::string> data_records(const std::string& text) {
        std::vector<std::string> records;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            if (!line.empty() && line != ":00000001FF") {
                records.push_back(line);
            }
        }
        return records;
    }
};

TEST_F(ChipCommands, ProgramThenReadInTwoRunsGivesTheImageBack) {
    ASSERT_EQ(chip({"erase"}).status, 0);
    const Result programmed = chip({"program", fixture("blink.hex")});
    EXPECT_EQ(programmed.status, 0) << programmed.err;
    EXPECT_THAT(programmed.out, HasSubstr("Operation completed. Total 7 (.006K) program words "
                                          "loaded.\nChip programmed. "));
    EXPECT_THAT(programmed.out, HasSubstr("Chip verified. "));

    const Result read = chip({"read", path("back.hex")});
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_THAT(read.out, HasSubstr("Chip read. "));
    EXPECT_THAT(read.out, HasSubstr("HEX file saved."));

    const auto expected = data_records(read_file(fixture("blink.hex")));
    const auto actual = data_records(read_file(path("back.hex")));
    ASSERT_EQ(expected.size(), 3u);
    for (const std::string& record : expected) {
        EXPECT_NE(std::find(actual.begin(), actual.end(), record), actual.end())
            << "missing " << record;
    }
    EXPECT_EQ(actual.size(), expected.size());
}

TEST_F(ChipCommands, ResultCaptionCarriesTheElapsedTime) {
    const Result erased = chip({"erase"});
    EXPECT_EQ(erased.status, 0);
    EXPECT_THAT(erased.out, ::testing::MatchesRegex("Chip erased\\. [0-9]+\\.[0-9][0-9] seconds "
                                                    "elapsed\\.\\.\\.\n"));
}

TEST_F(ChipCommands, VerifyAgainstAnotherFileFailsWithStatusOneAndTheReport) {
    ASSERT_EQ(chip({"erase"}).status, 0);
    ASSERT_EQ(chip({"program", fixture("blink.hex")}).status, 0);
    const Result verified = chip({"verify", fixture("blink-changed.hex")});
    EXPECT_EQ(verified.status, 1);
    EXPECT_THAT(verified.out, HasSubstr("Chip verify failed. "));
    EXPECT_THAT(verified.err, HasSubstr("Chip verify failed:\n\n"
                                        "Memory Location,   Read Value,   Expected,\n"
                                        "FLASH Word 0003h,   3055h,   30AAh,\n"));
}

TEST_F(ChipCommands, VerifyOfTheProgrammedFilePasses) {
    ASSERT_EQ(chip({"erase"}).status, 0);
    ASSERT_EQ(chip({"program", "--no-verify", fixture("blink.hex")}).status, 0);
    const Result verified = chip({"verify", fixture("blink.hex")});
    EXPECT_EQ(verified.status, 0) << verified.err;
    EXPECT_THAT(verified.out, HasSubstr("Chip verified. "));
    EXPECT_EQ(verified.err, "");
}

TEST_F(ChipCommands, NoVerifySkipsTheVerifyAfterProgramming) {
    const Result programmed = chip({"program", "--no-verify", fixture("blink.hex")});
    EXPECT_EQ(programmed.status, 0);
    EXPECT_THAT(programmed.out, HasSubstr("Chip programmed. "));
    EXPECT_THAT(programmed.out, Not(HasSubstr("Chip verif")));
}

TEST_F(ChipCommands, BlankCheckPassesAfterEraseAndFailsAfterProgram) {
    ASSERT_EQ(chip({"erase"}).status, 0);
    const Result blank = chip({"blank-check"});
    EXPECT_EQ(blank.status, 0);
    EXPECT_THAT(blank.out, HasSubstr("Chip is blank. "));

    ASSERT_EQ(chip({"program", fixture("blink.hex")}).status, 0);
    const Result not_blank = chip({"blank-check"});
    EXPECT_EQ(not_blank.status, 1);
    EXPECT_THAT(not_blank.out, HasSubstr("Chip is not blank. "));
    EXPECT_THAT(not_blank.err, HasSubstr("Chip is not blank:\n"));
    EXPECT_THAT(not_blank.err, HasSubstr("FLASH Word 0000h,   1683h,   3FFFh,\n"));
    EXPECT_THAT(not_blank.err, HasSubstr("EEPROM Byte 0001h,   4Dh,   FFh,\n"));
    EXPECT_THAT(not_blank.err, HasSubstr("CONF Word 2007h,   3F10h,   3FFFh,\n"));
}

TEST_F(ChipCommands, SimulateWithoutStateFileStartsFromAFreshChipEachRun) {
    const auto fresh = [this](std::vector<std::string> args) {
        args.insert(args.end(), {"--model", "2", "--simulate"});
        return run(with_test_db(std::move(args)));
    };
    ASSERT_EQ(fresh({"program", fixture("blink.hex")}).status, 0);
    EXPECT_EQ(fresh({"blank-check"}).status, 0);
}

TEST_F(ChipCommands, StateFileOfAnotherPartKeepsThatPartAndSaysSo) {
    ASSERT_EQ(chip({"erase"}).status, 0);
    const Result other = run(
        with_test_db({"blank-check", "--model", "PIC16F627A", "--simulate=" + path("chip.state")}));
    EXPECT_THAT(other.err, HasSubstr("holds a 16F628A, not a 16F627A"));
    EXPECT_THAT(read_file(path("chip.state")), HasSubstr("part: 16F628A\n"));
}

TEST_F(ChipCommands, DamagedStateFileIsAUsageErrorNamingTheLine) {
    std::ofstream(path("chip.state")) << "Quellmark simulated chip 1\npart: 16F628A\n"
                                         "shape: 2048 128 3FFF -\nprogram 000000: 12345\n";
    const Result result = chip({"blank-check"});
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr("chip.state:4: expected 4 hexadecimal digits"));
}

TEST_F(ChipCommands, StateFileShowsTheProgrammedWords) {
    ASSERT_EQ(chip({"erase"}).status, 0);
    ASSERT_EQ(chip({"program", fixture("blink.hex")}).status, 0);
    const std::string state = read_file(path("chip.state"));
    EXPECT_THAT(state, HasSubstr("program 000000: 1683 0186 1283 3055 0086 0986 2805 3FFF\n"));
    EXPECT_THAT(state, HasSubstr("data 0000: 51 4D FF FF FF FF FF FF\n"));
}

TEST_F(ChipCommands, TraceRecordsTheFiveLinesAsVcd) {
    const Result erased = chip({"erase", "--trace", path("erase.vcd")});
    ASSERT_EQ(erased.status, 0);
    const std::string vcd = read_file(path("erase.vcd"));
    for (const char* line : {"VDD", "VPP", "CLOCK", "DATA_OUT", "DATA_IN"}) {
        EXPECT_THAT(vcd, HasSubstr(std::string(" ") + line + " $end")) << line;
    }
    EXPECT_THAT(vcd, HasSubstr("$enddefinitions $end"));
    // Time stamps never go back, and every clock pulse of the erase list's
    // frames is there: 02h with its data word (6 + 16 clocks), 09h and 0Bh
    // (6 clocks each). CLOCK is the wire named "#".
    std::istringstream lines(vcd);
    long long last = -1;
    int clock_falls = 0;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line[0] == '#') {
            const long long stamp = std::stoll(line.substr(1));
            EXPECT_GE(stamp, last);
            last = stamp;
        }
        clock_falls += line == "0#" ? 1 : 0;
    }
    EXPECT_GE(clock_falls, 34);
    EXPECT_LE(clock_falls, 36);
}

TEST_F(ChipCommands, UnwritableTraceIsAUsageError) {
    const Result result = chip({"erase", "--trace", path("no-such-folder/erase.vcd")});
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr("cannot be written"));
}

TEST_F(ChipCommands, ProgramOfAMissingFileIsAUsageError) {
    const Result result = chip({"program", path("missing.hex")});
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr("Cannot read HEX file"));
}

}  // namespace
