#include "binary/tool_run.h"

namespace {

using ::testing::HasSubstr;

using Usage = ToolTest;

TEST_F(Usage, NoCommandIsAUsageError) {
    const Result result = run({});
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr("--help"));
}

TEST_F(Usage, UnknownCommandIsAUsageErrorNamingIt) {
    const Result result = run({"flash-it"});
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr("unknown command \"flash-it\""));
}

TEST_F(Usage, MissingFileIsAUsageError) {
    for (const char* command : {"program", "verify", "read", "dump"}) {
        const Result result = run({command});
        EXPECT_EQ(result.status, 2) << command;
        EXPECT_THAT(result.err, HasSubstr("FILE is required")) << command;
    }
}

TEST_F(Usage, UnknownOptionIsAUsageError) {
    const Result result = run({"erase", "--speed", "9"});
    EXPECT_EQ(result.status, 2);
}

TEST_F(Usage, HelpListsEveryCommandAndTheExitStatuses) {
    const Result result = run({"--help"});
    EXPECT_EQ(result.status, 0);
    for (const char* command :
         {"list-models", "check-db", "program", "verify", "read", "erase", "blank-check", "dump"}) {
        EXPECT_THAT(result.out, HasSubstr(command));
    }
    EXPECT_THAT(result.out, HasSubstr("3 port not available"));
}

TEST_F(Usage, EveryCommandHasItsOwnHelp) {
    const Result program = run({"program", "--help"});
    EXPECT_EQ(program.status, 0);
    EXPECT_THAT(program.out, HasSubstr("--no-verify"));
    EXPECT_THAT(program.out, HasSubstr("--simulate [=STATE_FILE]"));
    EXPECT_THAT(program.out, HasSubstr("--trace"));
    const Result erase = run({"erase", "--help"});
    EXPECT_EQ(erase.status, 0);
    EXPECT_THAT(erase.out, ::testing::Not(HasSubstr("--no-verify")));
}

TEST_F(Usage, UnknownModelIsAUsageError) {
    const Result result = run(with_test_db({"erase", "--model", "PIC99X99", "--simulate"}));
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr("Unknown model \"PIC99X99\""));
    const Result number = run(with_test_db({"erase", "--model", "3", "--simulate"}));
    EXPECT_EQ(number.status, 2);
}

TEST_F(Usage, BadPortArgumentIsAUsageError) {
    const Result result = run(with_test_db({"erase", "--port", "LPT9", "--simulate"}));
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr("--port: \"LPT9\""));
}

TEST_F(Usage, MissingDatabaseNamesThePathsTried) {
    const Result result = run({"erase", "--db", path("gone.txt"), "--simulate"});
    EXPECT_EQ(result.status, 2);
    EXPECT_THAT(result.err, HasSubstr(path("gone.txt")));
}

// No machine that runs the tests has a port at this address.
TEST_F(Usage, PortThatCannotBeOpenedIsStatusThreeWithTheReason) {
    const Result result = run(with_test_db({"erase", "--model", "2", "--port", "0x1234"}));
    EXPECT_EQ(result.status, 3);
    EXPECT_THAT(result.err, HasSubstr("Parallel port at address 4660 not available: "));
    EXPECT_THAT(result.err, HasSubstr("Use --simulate to try the program without one."));
    EXPECT_EQ(result.out, "");
}

TEST_F(Usage, PortFailureComesAfterTheFileIsChecked) {
    const Result result =
        run(with_test_db({"program", "--model", "2", "--port", "0x1234", path("none.hex")}));
    EXPECT_EQ(result.status, 2);
}

}  // namespace
