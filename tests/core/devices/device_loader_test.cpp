#include "core/devices/device_loader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace picprog {
namespace {

using ::testing::Field;
using ::testing::HasSubstr;

// Joins lines with CR LF, the file's normal line end.
std::string crlf(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text.append(line);
        text.append("\r\n");
    }
    return text;
}

const std::string& slot_text(const DatabaseLoadResult& r, AlgorithmKind kind, int slot) {
    return r.database.algorithm_slots[static_cast<size_t>(kind)][static_cast<size_t>(slot)].text;
}

TEST(DeviceLoader, ReadsAModelWithAllItsFields) {
    const auto r = parse_device_database(crlf({
        "programalgdef 3: begin,CalcFlash,end",
        "MODEL: PIC16F628A",
        "flash: 2048",
        "eeprom: 128 bytes",
        "configerased: 3FFF 3FFF",
        "config2used: false",
        "voltageseq: vppvdd",
        "progtime: 8",
        "pagesize: 1",
        "programalg: 3",
    }));
    ASSERT_EQ(r.status, DatabaseLoadStatus::Ok);
    ASSERT_EQ(r.database.model_count(), 1);
    const DeviceModel& m = r.database.models[0];
    EXPECT_EQ(m.name, "PIC16F628A");
    EXPECT_EQ(m.flash, "2048");
    EXPECT_EQ(m.eeprom, "128 bytes");
    EXPECT_EQ(m.configerased, "3FFF 3FFF");
    EXPECT_EQ(m.config2used, "false");
    EXPECT_EQ(m.voltageseq, "vppvdd");
    EXPECT_EQ(m.progtime, "8");
    EXPECT_EQ(m.pagesize, "1");
    // Copied as written: case untouched.
    EXPECT_EQ(m.algorithm(AlgorithmKind::Program), "begin,CalcFlash,end");
    EXPECT_EQ(m.algorithm(AlgorithmKind::Erase), "");
    EXPECT_TRUE(r.diagnostics.empty());
}

struct LineCase {
    const char* line;
    const char* expected_field;  // the model's flash field after the line
};

class FlashLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(FlashLine, FillsTheFieldOnlyInItsExactForm) {
    const auto r = parse_device_database(crlf({"model: X", GetParam().line}));
    ASSERT_EQ(r.database.model_count(), 1);
    EXPECT_EQ(r.database.models[0].flash, GetParam().expected_field)
        << "line \"" << GetParam().line << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Forms, FlashLine,
    ::testing::Values(LineCase{"flash: 1024", "1024"}, LineCase{"FLASH: 1024", "1024"},
                      LineCase{"flash: 1024  ", "1024  "},  // trailing blanks kept
                      LineCase{"flash:  1024", " 1024"},    // value starts after first space
                      LineCase{"flash: ", ""}, LineCase{"  flash: 1024", ""},
                      LineCase{"flash : 1024", ""},  // the key must end at the colon
                      LineCase{"xflash: 1024", ""}, LineCase{"flash:1024", ""}));

TEST(DeviceLoader, TwoLeadingBlanksMakeNoModelLine) {
    const auto r = parse_device_database(crlf({"  model: X", "model: Y"}));
    ASSERT_EQ(r.database.model_count(), 1);
    EXPECT_EQ(r.database.models[0].name, "Y");
}

TEST(DeviceLoader, ModelNameIsEverythingAfterTheFirstSpaceAsWritten) {
    const auto r = parse_device_database(crlf({"Model: PIC 16F84A (old) "}));
    ASSERT_EQ(r.database.model_count(), 1);
    EXPECT_EQ(r.database.models[0].name, "PIC 16F84A (old) ");
}

TEST(DeviceLoader, LoneCrEndsALineAndLoneLfDoesNot) {
    const auto cr = parse_device_database("model: A\rflash: 64\rmodel: B\r");
    ASSERT_EQ(cr.database.model_count(), 2);
    EXPECT_EQ(cr.database.models[0].flash, "64");

    // An LF-only file is one long line: one model whose name holds the rest.
    const auto lf = parse_device_database("model: A\nflash: 64\nmodel: B\n");
    ASSERT_EQ(lf.database.model_count(), 1);
    EXPECT_EQ(lf.database.models[0].name, "A\nflash: 64\nmodel: B\n");
    EXPECT_EQ(lf.database.models[0].flash, "");
    // ...and the diagnostics say why.
    ASSERT_FALSE(lf.diagnostics.empty());
    EXPECT_EQ(lf.diagnostics[0].line, 1);
    EXPECT_NE(lf.diagnostics[0].reason.find("save the file with CR LF line ends"),
              std::string::npos);
    EXPECT_TRUE(cr.diagnostics.empty());
}

TEST(DeviceLoader, ReferenceBeforeDefinitionCopiesTheEmptyText) {
    const auto r = parse_device_database(crlf({
        "model: X",
        "erasealg: 4",
        "erasealgdef 4: begin,end",
        "model: Y",
        "erasealg: 4",
    }));
    ASSERT_EQ(r.database.model_count(), 2);
    EXPECT_EQ(r.database.models[0].algorithm(AlgorithmKind::Erase), "");
    EXPECT_EQ(r.database.models[1].algorithm(AlgorithmKind::Erase), "begin,end");
    EXPECT_THAT(r.diagnostics, ::testing::ElementsAre(::testing::AllOf(
                                   Field(&LoadDiagnostic::line, 2),
                                   Field(&LoadDiagnostic::reason, HasSubstr("empty")))));
}

TEST(DeviceLoader, LaterDefinitionsAndRepeatedKeysReplaceEarlierOnes) {
    const auto r = parse_device_database(crlf({
        "readalgdef 1: first",
        "readalgdef 1: second",
        "model: X",
        "readalg: 1",
        "flash: 1",
        "flash: 2",
        "readalgdef 1: third",
    }));
    EXPECT_EQ(r.database.models[0].algorithm(AlgorithmKind::Read), "second");
    EXPECT_EQ(r.database.models[0].flash, "2");
    EXPECT_EQ(slot_text(r, AlgorithmKind::Read, 1), "third");
}

TEST(DeviceLoader, DefinitionTextStartsTwoCharactersAfterTheColon) {
    const auto r = parse_device_database(crlf({
        "verifyalgdef 2:x,begin",  // one character after the colon is skipped
        "VERIFYALGDEF 3:",         // line ends before the text
        "blankcheckalgdef 20: Begin , End",
        "erasealgdef 0:  begin",
    }));
    EXPECT_EQ(slot_text(r, AlgorithmKind::Verify, 2), ",begin");
    EXPECT_EQ(slot_text(r, AlgorithmKind::Verify, 3), "");
    EXPECT_EQ(slot_text(r, AlgorithmKind::BlankCheck, 20), "Begin , End");
    EXPECT_EQ(slot_text(r, AlgorithmKind::Erase, 0), " begin");
}

TEST(DeviceLoader, SlotNumbersAreRoundedLeadingNumbers) {
    const auto r = parse_device_database(crlf({
        "programalgdef 2.5: two",  // halves go to even
        "programalgdef 3.5: four",
        "programalgdef abc: zero",
    }));
    EXPECT_EQ(slot_text(r, AlgorithmKind::Program, 2), "two");
    EXPECT_EQ(slot_text(r, AlgorithmKind::Program, 4), "four");
    EXPECT_EQ(slot_text(r, AlgorithmKind::Program, 0), "zero");
}

TEST(DeviceLoader, KeysBeforeTheFirstModelChangeNothing) {
    const auto r = parse_device_database(crlf({
        "flash: 99",
        "programalgdef 1: p",
        "programalg: 1",
        "model: X",
    }));
    ASSERT_EQ(r.database.model_count(), 1);
    EXPECT_EQ(r.database.models[0].flash, "");
    EXPECT_EQ(r.database.models[0].algorithm(AlgorithmKind::Program), "");
    EXPECT_EQ(r.diagnostics.size(), 2u);
}

TEST(DeviceLoader, SkipsAndReportsWhatItCannotUse) {
    const auto r = parse_device_database(crlf({
        "model: X",
        "nospacehere",            // 2
        "programalgdef 21: p",    // 3: slot out of range
        "programalgdef -1: p",    // 4
        "programalg: 25",         // 5: reference out of range
        "flahs: 1024",            // 6: unknown key
        "this line is a remark",  // 7: ordinary text, not reported
        "",
    }));
    std::vector<int> lines;
    for (const auto& d : r.diagnostics) {
        lines.push_back(d.line);
    }
    EXPECT_EQ(lines, (std::vector<int>{2, 3, 4, 5, 6}));
    EXPECT_EQ(r.database.model_count(), 1);
}

TEST(DeviceLoader, KeepsTheFirstTwoHundredModels) {
    std::string text;
    for (int i = 1; i <= 202; ++i) {
        text += "model: M" + std::to_string(i) + "\r\nflash: " + std::to_string(i) + "\r\n";
    }
    const auto r = parse_device_database(text);
    ASSERT_EQ(r.database.model_count(), 200);
    // The keys of the dropped models must not land on model 200.
    EXPECT_EQ(r.database.models[199].name, "M200");
    EXPECT_EQ(r.database.models[199].flash, "200");
    ASSERT_EQ(r.diagnostics.size(), 2u);
    EXPECT_EQ(r.diagnostics[0].line, 2 * 201 - 1);
}

TEST(DeviceLoader, AFileWithoutModelsIsReportedAsSuch) {
    EXPECT_EQ(parse_device_database(crlf({"programalgdef 1: begin,end"})).status,
              DatabaseLoadStatus::NoModels);
    EXPECT_EQ(parse_device_database("").status, DatabaseLoadStatus::NoModels);
}

struct SizeCase {
    std::string_view line;
    std::string_view problem;  // empty: the model is offered
};

class ModelSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ModelSizes, ModelsNoPicCouldBeAreNotOffered) {
    const auto r = parse_device_database(
        crlf({"model: FIRST", "flash: 1024", "model: ODD", GetParam().line, "model: LAST"}));
    std::vector<std::string> names;
    for (const DeviceModel& m : r.database.models) {
        names.push_back(m.name);
    }
    if (GetParam().problem.empty()) {
        EXPECT_EQ(names, (std::vector<std::string>{"FIRST", "ODD", "LAST"}));
        EXPECT_TRUE(r.diagnostics.empty());
        return;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"FIRST", "LAST"}));
    ASSERT_EQ(r.diagnostics.size(), 1u);
    EXPECT_EQ(r.diagnostics[0].line, 3);
    EXPECT_EQ(r.diagnostics[0].reason,
              "model \"ODD\": " + std::string(GetParam().problem) + "; model not offered");
}

INSTANTIATE_TEST_SUITE_P(
    DeviceLoader, ModelSizes,
    ::testing::Values(SizeCase{"flash: 8192", ""}, SizeCase{"flash: 0", ""},
                      SizeCase{"eeprom: 256", ""}, SizeCase{"pagesize: 0", ""},
                      SizeCase{"flash: 2000000000", "flash: 2000000000 is outside 0 to 8192 words"},
                      SizeCase{"flash: 8193", "flash: 8193 is outside 0 to 8192 words"},
                      SizeCase{"flash: -5", "flash: -5 is outside 0 to 8192 words"},
                      SizeCase{"eeprom: -7", "eeprom: -7 is outside 0 to 256 bytes"},
                      SizeCase{"eeprom: 257", "eeprom: 257 is outside 0 to 256 bytes"},
                      SizeCase{"pagesize: -1", "pagesize: -1 is outside 0 to 8192 words"}));

TEST(DeviceLoader, OnlyModelOfImpossibleSizeLeavesNoModels) {
    const auto r = parse_device_database(crlf({"model: HUGE", "flash: 2000000000"}));
    EXPECT_EQ(r.status, DatabaseLoadStatus::NoModels);
    EXPECT_EQ(r.diagnostics.size(), 1u);
}

TEST(DeviceLoaderFile, MissingAndUnreadableFilesAreDistinctFromEmptyOnes) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("picprog_loader_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);

    const auto missing = load_device_database(dir / "nothing.txt");
    EXPECT_EQ(missing.status, DatabaseLoadStatus::Unreadable);
    EXPECT_FALSE(missing.error.empty());

    EXPECT_EQ(load_device_database(dir).status, DatabaseLoadStatus::Unreadable);
    const auto device = load_device_database("/dev/zero");
    EXPECT_EQ(device.status, DatabaseLoadStatus::Unreadable);
    EXPECT_THAT(device.error, HasSubstr("character device"));

    const auto file = dir / "picprogdevices.txt";
    {
        std::ofstream out(file, std::ios::binary);
        out << "model: PIC16F84A\r\nflash: 1024\r\n";
    }
    const auto ok = load_device_database(file);
    ASSERT_EQ(ok.status, DatabaseLoadStatus::Ok);
    EXPECT_EQ(ok.database.models[0].flash, "1024");

    { std::ofstream out(file, std::ios::binary | std::ios::trunc); }
    EXPECT_EQ(load_device_database(file).status, DatabaseLoadStatus::NoModels);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace picprog
