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

    const Result checked = run({"check-db", db});
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
