// The simulated chip as the command-line tool shows it: a broken chip rule
// fails the command with the rule in plain words, and the board's faults
// can be chosen from the command line.

#include <cstdio>
#include <string>

#include "binary/tool_run.h"

namespace {

using ::testing::HasSubstr;

// One Intel HEX data record at byte address `address`.
std::string record(int address, const std::vector<int>& bytes) {
    int sum = static_cast<int>(bytes.size()) + (address >> 8) + (address & 0xFF);
    char text[16];
    std::snprintf(text, sizeof text, ":%02X%04X00", static_cast<unsigned>(bytes.size()),
                  static_cast<unsigned>(address));
    std::string line = text;
    for (const int b : bytes) {
        std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(b));
        line += text;
        sum += b;
    }
    std::snprintf(text, sizeof text, "%02X\n", static_cast<unsigned>(-sum & 0xFF));
    return line + text;
}

// A HEX file with one FLASH word at 0000h and one EEPROM byte at 2100h.
std::string program_with_eeprom_byte(int byte) {
    return record(0x0000, {0x8A, 0x01}) + record(0x4200, {byte, 0x00}) + ":00000001FF\n";
}

class StrictSimulator : public ToolTest {
protected:
    // The shipped database with the first `find` after `after` replaced, as
    // a user might edit it.
    std::string edited_database(const std::string& after, const std::string& find,
                                const std::string& replace) const {
        std::string text = read_file(PICPROG_SHIPPED_DATABASE);
        const size_t at = text.find(find, text.find(after));
        EXPECT_NE(at, std::string::npos) << find;
        text.replace(at, find.size(), replace);
        const std::string file = path("edited.txt");
        std::ofstream(file, std::ios::binary) << text;
        return file;
    }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
    }
};

struct BrokenEdit {
    const char* name;
    const char* after;
    const char* find;
    const char* replace;
    const char* model;
    const char* says;
};

class BrokenDatabaseEdit : public StrictSimulator,
                           public ::testing::WithParamInterface<BrokenEdit> {};

TEST_P(BrokenDatabaseEdit, FailsTheOperationAndTheChecker) {
    const BrokenEdit& e = GetParam();
    const std::string db = edited_database(e.after, e.find, e.replace);
    write("one.hex", program_with_eeprom_byte(0x11));
    const Result programmed =
        run({"program", path("one.hex"), "--db", db, "--model", e.model, "--simulate"});
    EXPECT_EQ(programmed.status, 4) << programmed.out << programmed.err;
    EXPECT_THAT(programmed.err, HasSubstr(std::string(e.model) + ": "));
    EXPECT_THAT(programmed.err, HasSubstr(e.says));
    EXPECT_THAT(programmed.err, HasSubstr("At 0."));

    const Result checked = run({"check-db", db, "--model", e.model});
    EXPECT_EQ(checked.status, 1);
    EXPECT_THAT(checked.out, HasSubstr("\"" + std::string(e.model) + "\" on the simulated chip"));
    EXPECT_THAT(checked.out, HasSubstr(e.says));
}

const BrokenEdit kBrokenEdits[] = {
    {"VppFirst84A", "model: PIC16F84A", "voltageseq: vddvpp", "voltageseq: vppvdd", "PIC16F84A",
     "VPP rose before VDD; the chip enters programming mode only when VDD is on before VPP "
     "rises."},
    {"NoWaitAfterEnd716", "programalgdef 8:", "s0e,w1,endifpage", "s0e,endifpage", "PIC16F716",
     "µs after End Programming; the chip needs at least 100 µs."},
    {"ThreeMillisecondPulse77", "model: PIC16F77\r", "progtime: 1", "progtime: 3", "PIC16F77",
     "the pulse may last at most 1000 µs."},
};

INSTANTIATE_TEST_SUITE_P(Shipped, BrokenDatabaseEdit, ::testing::ValuesIn(kBrokenEdits),
                         [](const auto& info) { return std::string(info.param.name); });

// Program All erases first: a second program over a used chip gives exactly
// the new file, EEPROM included, where a programming-only write would have
// left old AND new.
class ProgramOverUsedChip : public StrictSimulator,
                            public ::testing::WithParamInterface<const char*> {};

TEST_P(ProgramOverUsedChip, GivesExactlyTheNewFile) {
    const std::string state = "--simulate=" + path("chip.state");
    const std::vector<std::string> common = {"--db", PICPROG_SHIPPED_DATABASE, "--model",
                                             GetParam(), state};
    write("a.hex", program_with_eeprom_byte(0x0F));
    write("b.hex", program_with_eeprom_byte(0xF0));
    auto with = [&](std::vector<std::string> args) {
        args.insert(args.end(), common.begin(), common.end());
        return run(args);
    };
    ASSERT_EQ(with({"program", path("a.hex")}).status, 0);
    const Result second = with({"program", path("b.hex")});
    EXPECT_EQ(second.status, 0) << second.out << second.err;
    EXPECT_THAT(second.out, HasSubstr("Chip verified. "));
}

INSTANTIATE_TEST_SUITE_P(ProgrammingOnlyFamilies, ProgramOverUsedChip,
                         ::testing::Values("PIC16F628A", "PIC16F88", "PIC16F690", "PIC16F887"));

TEST_F(StrictSimulator, FaultsAreChosenFromTheCommandLine) {
    const std::vector<std::string> base = {"blank-check", "--db",       PICPROG_SHIPPED_DATABASE,
                                           "--model",     "PIC16F628A", "--simulate"};
    auto with_fault = [&](const std::string& fault) {
        std::vector<std::string> args = base;
        args.push_back("--sim-fault=" + fault);
        return run(args);
    };
    EXPECT_EQ(run(base).status, 0);
    const Result stuck = with_fault("data-in-stuck:0");
    EXPECT_EQ(stuck.status, 3) << "the device ID reads 0000h";
    EXPECT_THAT(stuck.err, HasSubstr("No chip answers: the device ID reads 0000h."));
    EXPECT_EQ(with_fault("stuck-bit:5:3:0").status, 1);
    const Result unknown = with_fault("loose-wire");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_THAT(unknown.err, HasSubstr("unknown fault \"loose-wire\""));
    EXPECT_THAT(unknown.err, HasSubstr("no-chip"));
    const Result no_board = run({"blank-check", "--db", PICPROG_SHIPPED_DATABASE, "--model",
                                 "PIC16F628A", "--sim-fault=no-chip"});
    EXPECT_EQ(no_board.status, 2);
    EXPECT_THAT(no_board.err, HasSubstr("add --simulate"));
}

}  // namespace

namespace {

// A 12F675 file as compilers write it (2007h = 3FC4h: unimplemented bits and
// band-gap bits set, nothing at the calibration word 3FFh), assembled by
// gpasm: it programs and verifies, and the chip keeps its factory
// calibration.
TEST_F(StrictSimulator, CompilerFileFor12F675ProgramsVerifiesAndKeepsTheCalibration) {
    const std::string hex = std::string(PICPROG_SOURCE_DIR_FOR_CLI) +
                            "/tests/core/hexfile/fixtures/f675_boostc_config.inhx32.hex";
    const std::vector<std::string> chip = {"--db", PICPROG_SHIPPED_DATABASE, "--model", "PIC12F675",
                                           "--simulate=" + path("675.state")};
    auto with = [&](std::vector<std::string> args) {
        args.insert(args.end(), chip.begin(), chip.end());
        return run(args);
    };
    const Result before = with({"read", path("factory.hex")});
    ASSERT_EQ(before.status, 0) << before.err;
    const Result programmed = with({"program", hex});
    EXPECT_EQ(programmed.status, 0) << programmed.out << programmed.err;
    EXPECT_THAT(programmed.out, HasSubstr("Chip verified. "));
    const Result after = with({"read", path("after.hex")});
    ASSERT_EQ(after.status, 0) << after.err;
    // Word 3FFh, the last of the FLASH table's row 0003F8, as dump shows
    // each read-back file: the same RETLW before and after.
    auto calibration_word = [&](const std::string& file) {
        const Result dumped =
            run({"dump", file, "--db", PICPROG_SHIPPED_DATABASE, "--model", "PIC12F675"});
        const size_t row = dumped.out.find("0003F8:");
        const size_t end = dumped.out.find('\n', row);
        return row == std::string::npos ? std::string() : dumped.out.substr(end - 4, 4);
    };
    const std::string factory = calibration_word(path("factory.hex"));
    EXPECT_EQ(factory.substr(0, 2), "34") << factory;
    EXPECT_EQ(calibration_word(path("after.hex")), factory);
}

TEST_F(StrictSimulator, IdentifyNamesThePartAndAutoSelectsIt) {
    const std::vector<std::string> socket = {"--db", PICPROG_SHIPPED_DATABASE,
                                             "--simulate=" + path("628a.state")};
    auto with = [&](std::vector<std::string> args) {
        args.insert(args.end(), socket.begin(), socket.end());
        return run(args);
    };
    ASSERT_EQ(with({"erase", "--model", "PIC16F628A"}).status, 0);
    const Result named = with({"identify", "--model", "PIC16F877A"});
    EXPECT_EQ(named.status, 0);
    EXPECT_THAT(named.out, HasSubstr("PIC16F628A, revision 0 (device ID 1060h)\n"));
    EXPECT_THAT(named.out, HasSubstr("use --model PIC16F628A"));

    const Result wrong = with({"blank-check", "--model", "PIC16F877A"});
    EXPECT_EQ(wrong.status, 3);
    EXPECT_THAT(wrong.err, HasSubstr("The chip in the socket is a PIC16F628A, not the selected "
                                     "PIC16F877A. Continue anyway? No: give --force"));
    EXPECT_EQ(with({"blank-check", "--model", "auto"}).status, 0);

    const Result bad = with({"erase", "--model", "PIC16F628A", "--osccal=3FFF"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_THAT(bad.err, HasSubstr("is not a RETLW instruction"));

    const Result empty = run({"identify", "--db", PICPROG_SHIPPED_DATABASE, "--model", "PIC16F628A",
                              "--simulate", "--sim-fault=no-chip"});
    EXPECT_EQ(empty.status, 3);
    EXPECT_THAT(empty.out, HasSubstr("No chip answers: the device ID reads 3FFFh."));
}

}  // namespace
