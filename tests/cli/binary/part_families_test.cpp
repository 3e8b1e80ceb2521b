// HEX files that gpasm assembled for the added parts go through the tool on
// the shipped database: program (with its verify), verify again, read back
// the same words; and the models whose programming voltage is below the
// board's carry a warning the tool prints before touching the chip.
#include <cctype>
#include <map>
#include <string>

#include "binary/tool_run.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// Address (in the HEX file's word/byte space) to value, from an INHX8M
// file: program and config words as 14-bit words, EEPROM as bytes.
std::map<int32_t, int32_t> hex_values(const std::string& text) {
    std::map<int32_t, int32_t> values;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.size() < 11 || line[0] != ':' || line.substr(7, 2) != "00") {
            continue;
        }
        const int32_t count = std::stoi(line.substr(1, 2), nullptr, 16);
        const int32_t address = std::stoi(line.substr(3, 4), nullptr, 16);
        for (int32_t i = 0; i + 1 < count; i += 2) {
            const int32_t low = std::stoi(line.substr(9 + 2 * i, 2), nullptr, 16);
            const int32_t high = std::stoi(line.substr(11 + 2 * i, 2), nullptr, 16);
            values[(address + i) / 2] = (high << 8) | low;
        }
    }
    return values;
}

struct PartFixture {
    const char* model;
    const char* fixture;  // in fixtures/parts
    int32_t config_mask;  // the bits of 2007h the part implements
};

constexpr PartFixture kParts[] = {
    {"PIC12F683", "pic12f683.hex", 0x0FFF},    {"PIC12F635", "pic12f635.hex", 0x1FFF},
    {"PIC16F916", "pic16f916.hex", 0x1FFF},    {"PIC12F609", "pic12f609.hex", 0x03FF},
    {"PIC16F616", "pic16f616.hex", 0x03FF},    {"PIC16F785", "pic16f785.hex", 0x0FFF},
    {"PIC16F722A", "f722a_blink.hex", 0x3FFF}, {"PIC16F727", "f727_table.hex", 0x3FFF},
    {"PIC16F737", "f737_blink.hex", 0x3FFF},   {"PIC16F777", "f777_table.hex", 0x3FFF},
    {"PIC16F83", "16f83.hex", 0x3FFF},         {"PIC16F84", "16f84.hex", 0x3FFF},
    {"PIC16F627", "16f627.hex", 0x3FFF},       {"PIC16F628", "16f628.hex", 0x3FFF},
    {"PIC16F818", "16f818.hex", 0x3FFF},       {"PIC16F819", "16f819.hex", 0x3FFF},
};

constexpr int32_t kUserIds = 0x2000;
constexpr int32_t kConfig1 = 0x2007;

class PartFixtures : public ToolTest, public ::testing::WithParamInterface<PartFixture> {
protected:
    Result chip(std::vector<std::string> args) const {
        args.insert(args.end(), {"--model", GetParam().model, "--db", PICPROG_SHIPPED_DATABASE,
                                 "--simulate=" + path("chip.state")});
        return run(args);
    }
};

TEST_P(PartFixtures, ProgramsVerifiesAndReadsBackTheAssembledFile) {
    const std::string hex = fixture(std::string("parts/") + GetParam().fixture);
    const Result programmed = chip({"program", hex});
    ASSERT_EQ(programmed.status, 0) << programmed.out << programmed.err;
    EXPECT_THAT(programmed.out, HasSubstr("Chip verified."));
    const Result verified = chip({"verify", hex});
    EXPECT_EQ(verified.status, 0) << verified.out << verified.err;

    ASSERT_EQ(chip({"read", path("back.hex")}).status, 0);
    const auto written = hex_values(read_file(hex));
    const auto back = hex_values(read_file(path("back.hex")));
    int32_t compared = 0;
    for (const auto& [address, value] : written) {
        if (address >= kUserIds && address < kUserIds + 4) {
            continue;  // the user IDs are not part of the buffer
        }
        const auto found = back.find(address);
        ASSERT_NE(found, back.end()) << std::hex << address;
        const int32_t mask = address == kConfig1 ? GetParam().config_mask : 0x3FFF;
        EXPECT_EQ(found->second & mask, value & mask) << std::hex << address;
        ++compared;
    }
    EXPECT_GE(compared, 6);  // the program words, the top word and 2007h at least
}

INSTANTIATE_TEST_SUITE_P(Gpasm, PartFixtures, ::testing::ValuesIn(kParts),
                         [](const auto& info) { return std::string(info.param.model); });

class VppWarning : public ToolTest {};

constexpr const char* kWarning913 =
    "Warning: PIC16F913: the programming voltage (VPP) must stay between 10 and 12 V; a classic "
    "parallel-port programmer applies about 13 V, which can damage the chip.";

TEST_F(VppWarning, PrintedOnStandardErrorBeforeTheOperation) {
    const Result r = run({"erase", "--model", "PIC16F913", "--db", PICPROG_SHIPPED_DATABASE,
                          "--simulate=" + path("chip.state")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.err, HasSubstr(kWarning913));
    EXPECT_THAT(r.out, Not(HasSubstr("Warning:")));
}

// The port is never opened when the model is unknown, but a named model's
// warning comes even when the port then fails: it precedes the chip.
TEST_F(VppWarning, ComesBeforeThePortIsOpened) {
    const Result r =
        run({"erase", "--model", "PIC16F785", "--db", PICPROG_SHIPPED_DATABASE, "--port", "1"});
    EXPECT_NE(r.status, 0);
    EXPECT_EQ(r.err.find("Warning: PIC16F785: "), 0u) << r.err;
}

TEST_F(VppWarning, AbsentForAPartWithoutALimit) {
    const Result r = run({"erase", "--model", "PIC12F683", "--db", PICPROG_SHIPPED_DATABASE,
                          "--simulate=" + path("chip.state")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.err, Not(HasSubstr("Warning:")));
}

// With --model auto the chip decides; its model's warning follows the
// identification.
TEST_F(VppWarning, FollowsAnAutomaticChoice) {
    ASSERT_EQ(run({"erase", "--model", "PIC16F913", "--db", PICPROG_SHIPPED_DATABASE,
                   "--simulate=" + path("chip.state")})
                  .status,
              0);
    const Result r = run({"blank-check", "--model", "auto", "--db", PICPROG_SHIPPED_DATABASE,
                          "--simulate=" + path("chip.state")});
    EXPECT_THAT(r.err, HasSubstr("--model auto: PIC16F913"));
    EXPECT_THAT(r.err, HasSubstr(kWarning913));
}

// PIC16F722 ... PIC16F727 and the A parts, not the older PIC16F72.
bool is_16f72x(const std::string& line) {
    const size_t at = line.find("PIC16F72");
    return at != std::string::npos && at + 8 < line.size() &&
           std::isdigit(static_cast<unsigned char>(line[at + 8])) != 0;
}

TEST_F(VppWarning, ListModelsMarksTheModelsThatHaveOne) {
    const Result r = run({"list-models", "--db", PICPROG_SHIPPED_DATABASE});
    ASSERT_EQ(r.status, 0);
    std::istringstream lines(r.out);
    int32_t marked = 0;
    for (std::string line; std::getline(lines, line);) {
        const bool has_mark = line.size() > 2 && line.substr(line.size() - 3) == "  *";
        const bool limited = line.find("PIC16F91") != std::string::npos ||
                             line.find("PIC16F946") != std::string::npos ||
                             line.find("PIC16F785") != std::string::npos || is_16f72x(line);
        EXPECT_EQ(has_mark, limited) << line;
        marked += has_mark ? 1 : 0;
    }
    EXPECT_EQ(marked, 13);  // 16F91x and 16F785 (10-12 V), 16F72x (8-9 V)
    EXPECT_THAT(r.out, HasSubstr("* has a warning"));
}

}  // namespace
