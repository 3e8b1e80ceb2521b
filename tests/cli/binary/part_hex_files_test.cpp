// HEX files assembled with gpasm for the shipped parts (config words, ID
// locations, code at both ends of FLASH) go through the command-line tool
// on the simulated chip: erased, programmed with its verify, verified again
// and read back with every FLASH and config word in place.

#include <map>
#include <string>

#include "binary/tool_run.h"

namespace {

using ::testing::HasSubstr;

// Word address -> word of every data record (INHX8M/INHX32, bytes low first).
std::map<int, int> hex_words(const std::string& text) {
    std::map<int, int> words;
    int upper = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.size() < 11 || line[0] != ':') {
            continue;
        }
        const int count = std::stoi(line.substr(1, 2), nullptr, 16);
        const int address = std::stoi(line.substr(3, 4), nullptr, 16);
        const int type = std::stoi(line.substr(7, 2), nullptr, 16);
        if (type == 4) {
            upper = std::stoi(line.substr(9, 4), nullptr, 16);
        } else if (type == 0) {
            for (int i = 0; i + 1 < count; i += 2) {
                const int low = std::stoi(line.substr(9 + 2 * i, 2), nullptr, 16);
                const int high = std::stoi(line.substr(11 + 2 * i, 2), nullptr, 16);
                words[((upper << 16) + address + i) / 2] = low | (high << 8);
            }
        }
    }
    return words;
}

constexpr int kFirstIdLocation = 0x2000;
constexpr int kLastIdLocation = 0x2003;

struct PartFile {
    const char* model;
    const char* file;  // in the fixtures' parts folder
};

class PartHexFile : public ToolTest, public ::testing::WithParamInterface<PartFile> {
protected:
    Result chip(std::vector<std::string> args) const {
        args.insert(args.end(), {"--db", PICPROG_SHIPPED_DATABASE, "--model", GetParam().model,
                                 "--simulate=" + path("chip.state")});
        return run(args);
    }
};

TEST_P(PartHexFile, ProgramsVerifiesAndReadsBack) {
    const std::string hex = fixture(std::string("parts/") + GetParam().file);
    const Result erased = chip({"erase"});
    ASSERT_EQ(erased.status, 0) << erased.out << erased.err;

    const Result programmed = chip({"program", hex});
    EXPECT_EQ(programmed.status, 0) << programmed.out << programmed.err;
    EXPECT_THAT(programmed.out, HasSubstr("Chip verified. "));
    const Result verified = chip({"verify", hex});
    EXPECT_EQ(verified.status, 0) << verified.out << verified.err;

    const Result read = chip({"read", path("back.hex")});
    ASSERT_EQ(read.status, 0) << read.out << read.err;
    const std::map<int, int> back = hex_words(read_file(path("back.hex")));
    int compared = 0;
    for (const auto& [address, word] : hex_words(read_file(hex))) {
        if (address >= kFirstIdLocation && address <= kLastIdLocation) {
            continue;  // the buffer holds no ID locations
        }
        ASSERT_TRUE(back.contains(address)) << std::hex << address;
        EXPECT_EQ(back.at(address), word) << std::hex << address;
        ++compared;
    }
    EXPECT_GE(compared, 10);
}

INSTANTIATE_TEST_SUITE_P(Gpasm, PartHexFile,
                         ::testing::Values(PartFile{"PIC16F722A", "f722a_blink.hex"},
                                           PartFile{"PIC16F727", "f727_table.hex"},
                                           PartFile{"PIC16F737", "f737_blink.hex"},
                                           PartFile{"PIC16F777", "f777_table.hex"}),
                         [](const auto& info) { return std::string(info.param.model); });

}  // namespace
