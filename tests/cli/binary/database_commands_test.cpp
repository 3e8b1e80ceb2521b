#include "binary/tool_run.h"

namespace {

using ::testing::HasSubstr;

using DatabaseCommands = ToolTest;

TEST_F(DatabaseCommands, ListModelsShowsNumberNameAndSizes) {
    const Result result = run(with_test_db({"list-models"}));
    EXPECT_EQ(result.status, 0);
    EXPECT_THAT(result.out, HasSubstr("   1  PIC16F627A             1024    128\n"));
    EXPECT_THAT(result.out, HasSubstr("   2  PIC16F628A             2048    128\n"));
}

// Every model's run on its chip is the core's model-trial test; here the
// whole file's checks and one model's run.
TEST_F(DatabaseCommands, ShippedDatabasePassesTheChecker) {
    const Result result = run({"check-db", PICPROG_SHIPPED_DATABASE, "--model", "PIC16F628A"});
    EXPECT_EQ(result.status, 0) << result.out << result.err;
    EXPECT_THAT(result.out, HasSubstr("no problems found."));
}

TEST_F(DatabaseCommands, TestDatabasePassesTheChecker) {
    const Result result = run({"check-db", fixture("picprogdevices.txt")});
    EXPECT_EQ(result.status, 0) << result.out;
    EXPECT_THAT(result.out, HasSubstr(": 2 models, no problems found.\n"));
}

// Each fault planted in broken-devices.txt (see its generator) is reported.
TEST_F(DatabaseCommands, BrokenDatabaseListsEveryProblemAndFails) {
    const std::string file = fixture("broken-devices.txt");
    const Result result = run({"check-db", file});
    EXPECT_EQ(result.status, 1);
    const std::string p = file + ": ";
    for (const std::string& expected : {
             p + "line 1: key before the first model ignored\n",
             p + "line 6: algorithm slot 25 outside 0 to 20, line skipped\n",
             p + "line 7: line without a space skipped\n",
             p + "line 9: unknown key \"flsh:\" ignored\n",
             p + "line 15: verify algorithm slot 3 is empty at this point\n",
             p + "model 1 \"PIC16F628A\", program list, instruction 2 \"bogus\": unrecognized "
                 "instruction\n",
             p + "model 1 \"PIC16F628A\", read list, instruction 2 \"setflashloop\": no "
                 "\"loop\" follows this loop head\n",
             p + "model 1 \"PIC16F628A\", blank check list, instruction 2 \"ifpage\": no "
                 "\"endifpage\" follows it\n",
             p + "model 1 \"PIC16F628A\", blank check list, instruction 2 \"ifpage\": page "
                 "instruction with a page size below 1\n",
             p + "model 1 \"PIC16F628A\", verify list: no algorithm",
             p + "model 2 \"pic16f628a\": same name as model 1\n",
         }) {
        EXPECT_THAT(result.out, HasSubstr(expected));
    }
    EXPECT_THAT(result.out, HasSubstr(p + "15 problems found.\n"));
}

TEST_F(DatabaseCommands, UnreadableDatabaseIsStatusTwoNamingThePath) {
    const Result result = run({"check-db", path("nothing-here.txt")});
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr("was not found or could not be read"));
    EXPECT_THAT(result.err, HasSubstr(path("nothing-here.txt")));
}

TEST_F(DatabaseCommands, DatabaseWithoutModelsFailsTheChecker) {
    std::ofstream(path("empty.txt"), std::ios::binary) << "erasealgdef 1: begin,end\r\n";
    const Result result = run({"check-db", path("empty.txt")});
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.out, HasSubstr("no model"));
}

TEST_F(DatabaseCommands, UsersOwnDatabaseComesFirst) {
    // A copy in the user's configuration folder is preferred to every other.
    const auto folder = home_ / ".config" / "quellmark-picprog";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(fixture("picprogdevices.txt"), folder / "picprogdevices.txt");
    const Result result = run({"list-models"});
    EXPECT_EQ(result.status, 0);
    EXPECT_THAT(result.out, HasSubstr("PIC16F627A"));
    EXPECT_THAT(result.out, ::testing::Not(HasSubstr("   3  ")));
}

}  // namespace
