// HEX files gpasm makes for the older parts (config word, ID locations,
// EEPROM data) through the command-line tool on each part's simulated chip:
// programmed and verified, verified again in a later run, and read back to
// the same buffer.

#include <string>

#include "binary/tool_run.h"

namespace {

using ::testing::HasSubstr;

struct PartFile {
    const char* model;
    const char* file;  // in fixtures/parts, made by scripts/regen-hex-fixtures
};

class OlderPartHexFiles : public ToolTest, public ::testing::WithParamInterface<PartFile> {
protected:
    Result on_chip(std::vector<std::string> args) const {
        args.insert(args.end(), {"--db", PICPROG_SHIPPED_DATABASE, "--model", GetParam().model,
                                 "--simulate=" + path("chip.state")});
        return run(args);
    }
    Result dump(const std::string& file) const {
        return run({"dump", file, "--db", PICPROG_SHIPPED_DATABASE, "--model", GetParam().model});
    }
};

TEST_P(OlderPartHexFiles, ProgramVerifyAndReadBackOnTheSimulatedPart) {
    const std::string hex = fixture(std::string("parts/") + GetParam().file);
    const Result programmed = on_chip({"program", hex});
    ASSERT_EQ(programmed.status, 0) << programmed.out << programmed.err;
    EXPECT_THAT(programmed.out, HasSubstr("Chip verified. "));

    const Result verified = on_chip({"verify", hex});
    EXPECT_EQ(verified.status, 0) << verified.out << verified.err;

    const Result read = on_chip({"read", path("back.hex")});
    ASSERT_EQ(read.status, 0) << read.out << read.err;
    const Result original = dump(hex);
    const Result back = dump(path("back.hex"));
    ASSERT_EQ(original.status, 0) << original.err;
    EXPECT_EQ(back.out, original.out);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, OlderPartHexFiles,
    ::testing::Values(PartFile{"PIC16F83", "16f83.hex"}, PartFile{"PIC16F84", "16f84.hex"},
                      PartFile{"PIC16F627", "16f627.hex"}, PartFile{"PIC16F628", "16f628.hex"},
                      PartFile{"PIC16F818", "16f818.hex"}, PartFile{"PIC16F819", "16f819.hex"}),
    [](const auto& info) { return std::string(info.param.model); });

}  // namespace
