// Running each model's algorithms on its simulated chip: the shipped
// database passes, and deliberate faults of the kinds a person editing the
// database makes are each caught, with the step and the rule named.

#include <gtest/gtest.h>

#include <string>

#include "core/devices/device_loader.h"
#include "core/files/file_read.h"
#include "core/trial/model_trial.h"

namespace picprog {
namespace {

std::string shipped_text() {
    static const std::string kText =
        read_whole_file(std::string(PICPROG_SOURCE_DIR) + "/data/picprogdevices.txt",
                        kDeviceDatabaseLimit)
            .bytes;
    return kText;
}

int32_t model_number(const DeviceDatabase& database, std::string_view name) {
    for (int32_t n = 1; n <= database.model_count(); ++n) {
        if (database.model(n)->name == name) {
            return n;
        }
    }
    return 0;
}

std::string joined(const ModelTrial& trial) {
    std::string text;
    for (const std::string& problem : trial.problems) {
        text += problem + "\n";
    }
    return text;
}

TEST(ModelTrial, EveryShippedModelRunsCleanOnItsSimulatedChip) {
    const DatabaseLoadResult loaded = parse_device_database(shipped_text());
    ASSERT_GT(loaded.database.model_count(), 0);
    for (int32_t n = 1; n <= loaded.database.model_count(); ++n) {
        const ModelTrial trial = try_model(loaded.database, n);
        EXPECT_EQ(trial.verdict, TrialVerdict::Clean) << loaded.database.model(n)->name << ":\n"
                                                      << joined(trial);
    }
}

TEST(ModelTrial, PartWithoutASimulatedFamilyIsNotRunAtAll) {
    std::string text = shipped_text();
    const size_t at = text.find("model: PIC16F84A");
    text.replace(at, 16, "model: PIC18F452");
    const DatabaseLoadResult loaded = parse_device_database(text);
    const ModelTrial trial = try_model(loaded.database, model_number(loaded.database, "PIC18F452"));
    EXPECT_EQ(trial.verdict, TrialVerdict::NotSimulated);
    EXPECT_TRUE(trial.problems.empty());
}

// One deliberate fault: from the line starting with `line_start` on, the
// first `find` becomes `replace`; `model` is tried and must fail, with `says` in
// one of its problems.
struct Mutation {
    const char* name;
    const char* line_start;
    const char* find;
    const char* replace;
    const char* model;
    const char* says;
};

std::string mutated(const Mutation& m) {
    std::string text = shipped_text();
    const size_t line = text.find(std::string("\n") + m.line_start);
    EXPECT_NE(line, std::string::npos) << m.line_start;
    const size_t at = text.find(m.find, line + 1);
    EXPECT_NE(at, std::string::npos) << m.name << ": " << m.find;
    text.replace(at, std::string_view(m.find).size(), m.replace);
    return text;
}

class DatabaseFault : public ::testing::TestWithParam<Mutation> {};

TEST_P(DatabaseFault, IsCaughtAndNamed) {
    const Mutation& m = GetParam();
    const DatabaseLoadResult loaded = parse_device_database(mutated(m));
    const int32_t number = model_number(loaded.database, m.model);
    ASSERT_GT(number, 0) << m.model;
    const ModelTrial trial = try_model(loaded.database, number);
    EXPECT_EQ(trial.verdict, TrialVerdict::Failed);
    EXPECT_NE(joined(trial).find(m.says), std::string::npos) << joined(trial);
}

// What catches each fault is in the last column: a rule the chip names, or
// the step whose result shows the damage.
const Mutation kMutations[] = {
    {"EntryOrder84A", "voltageseq: vddvpp", "vddvpp", "vppvdd", "PIC16F84A", "VPP rose before VDD"},
    {"EntryOrder675", "model: PIC12F675", "vppvdd", "vddvpp", "PIC12F675", "VDD rose before VPP"},
    {"NoDischargeWait716", "programalgdef 8:", "s0e,w1,endifpage", "s0e,endifpage", "PIC16F716",
     "after End Programming; the chip needs at least 100"},
    {"LongPulse77", "model: PIC16F77", "progtime: 1", "progtime: 3", "PIC16F77",
     "the pulse may last at most 1000"},
    {"WrongBeginCode628A", "programalgdef 2:", "s02-flash,s08", "s02-flash,s18", "PIC16F628A",
     "Verify: 25 or more differences"},
    {"ShortWriteWait628A", "programalgdef 2:", "s08,wprog", "s08,w1", "PIC16F628A",
     "so the write was lost"},
    {"MissingEndProgramming88", "programalgdef 4:", "s18,wprog,s17,endifpage",
     "s18,wprog,endifpage", "PIC16F88", "into an externally timed write"},
    {"WrongLatchCount877A", "model: PIC16F877A", "pagesize: 8", "pagesize: 4", "PIC16F877A",
     "Verify: 25 or more differences"},
    {"MissingIncrement628A", "programalgdef 2:", "wprog,s06,loop", "wprog,loop", "PIC16F628A",
     "Verify: 25 or more differences"},
    {"ShortEraseWait887", "erasealgdef 7:", "s09,w6", "s09,w1", "PIC16F887",
     "so the erase was lost"},
    {"WrongEepromLoad690", "programalgdef 6:", "s03-eeprom", "s02-eeprom", "PIC16F690",
     "FLASH Word 0000h"},
    {"WrongEepromRead88", "readalgdef 4:", "eeprom=s05", "eeprom=s04", "PIC16F88",
     "Read All: EEPROM byte"},
    {"ConfigAtDeviceId629", "programalgdef 5:", "s06,s02-config1", "s02-config1", "PIC12F629",
     "CONF Word 2007h"},
    {"BulkEraseNotChipErase877A", "erasealgdef 3:", "s1f", "s09", "PIC16F877A",
     "Blank Check after that erase"},
    {"NoWaitAfterChipErase877A", "erasealgdef 3:", "s1f,w10", "s1f", "PIC16F877A",
     "the supply went off"},
    {"VerifyAgainstBlank690", "verifyalgdef 6:", "checkflash", "checkblankflash", "PIC16F690",
     "Verify: 25 or more differences"},
    {"EraseWithoutSetup877", "erasealgdef 10:", "s01,s07,s08,w8", "s08,w8", "PIC16F877",
     "Blank Check after that erase"},
    {"Config2WithoutEnd88", "programalgdef 4:", "s02-config2,s18,wprog,s17",
     "s02-config2,s18,wprog", "PIC16F88", "the supply went off"},
    {"EndlessReadLoop628A", "readalgdef 2:", "setflashloop,flash=s04,s06,loop",
     "setflashloop,s06,loop", "PIC16F628A", "did not finish"},
};

INSTANTIATE_TEST_SUITE_P(Shipped, DatabaseFault, ::testing::ValuesIn(kMutations),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace picprog
