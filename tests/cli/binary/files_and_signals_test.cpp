#include <signal.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>

#include "binary/tool_run.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class FilesAndSignals : public ToolTest {
protected:
    // A database of one model "M" with `lines` added to it; every list is
    // `algorithm`.
    std::string database(const std::vector<std::string>& lines,
                         const std::string& algorithm = "begin,end") const {
        std::string text;
        for (const char* kind : {"erase", "program", "read", "blankcheck", "verify"}) {
            text += std::string(kind) + "algdef 1: " + algorithm + "\r\n";
        }
        text += "model: M\r\nvoltageseq: vppvdd\r\n";
        for (const std::string& line : lines) {
            text += line + "\r\n";
        }
        for (const char* kind : {"erase", "program", "read", "blankcheck", "verify"}) {
            text += std::string(kind) + "alg: 1\r\n";
        }
        std::ofstream(path("db.txt"), std::ios::binary) << text;
        return path("db.txt");
    }

    // The last level of each VCD wire by its id, and whether it was ever 1.
    struct Wire {
        char last = '?';
        bool was_high = false;
    };
    static std::map<char, Wire> wires(const std::string& vcd) {
        std::map<char, Wire> found;
        std::istringstream lines(vcd);
        for (std::string line; std::getline(lines, line);) {
            if (line.size() == 2 && (line[0] == '0' || line[0] == '1')) {
                found[line[1]].last = line[0];
                found[line[1]].was_high |= line[0] == '1';
            }
        }
        return found;
    }
};

class StopSignal : public FilesAndSignals, public ::testing::WithParamInterface<int> {};

TEST_P(StopSignal, PowersTheChipDownClosesTheTraceAndSavesTheChip) {
    // Long in real time (many do-nothing waits per word), short in trace.
    std::string slow = "begin,setflashloop,flash=s04,";
    for (int i = 0; i < 100000; ++i) {
        slow += "w0,";
    }
    slow += "s06,loop,end";
    const std::string db = database({"flash: 8192"}, slow);
    const std::string trace = path("run.vcd");
    const pid_t pid =
        start({"erase", "--db", db, "--simulate=" + path("chip.state"), "--trace", trace});
    ASSERT_NE(pid, 0);
    // The trace reaches the disk only in whole buffers: once one is there,
    // the chip is powered and words are being read.
    for (int i = 0;
         i < 3000 && (!std::filesystem::exists(trace) || std::filesystem::file_size(trace) < 4096);
         ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid, GetParam());
    const Result result = finish(pid);

    EXPECT_EQ(result.status, 128 + GetParam()) << result.err;
    EXPECT_THAT(result.out, HasSubstr("Operation stopped. The chip is powered down."));
    EXPECT_THAT(result.err, HasSubstr("quellmark-picprog-cli: stopped by SIG"));
    EXPECT_TRUE(std::filesystem::exists(path("chip.state")));
    const std::string vcd = read_file(trace);
    ASSERT_FALSE(vcd.empty());
    EXPECT_EQ(vcd.back(), '\n');  // not cut in the middle of a buffer
    const auto levels = wires(vcd);
    // '!' is VDD, '"' is VPP: both were on during the run, both end off.
    EXPECT_TRUE(levels.at('!').was_high);
    EXPECT_TRUE(levels.at('"').was_high);
    EXPECT_EQ(levels.at('!').last, '0');
    EXPECT_EQ(levels.at('"').last, '0');
}

INSTANTIATE_TEST_SUITE_P(FilesAndSignals, StopSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

TEST_F(FilesAndSignals, ModelOfImpossibleSizeIsNeverProgrammed) {
    for (const std::string size : {"flash: -5", "eeprom: -7", "flash: 2000000000"}) {
        const std::string db = database({size});
        const Result checked = run({"check-db", db});
        EXPECT_EQ(checked.status, 1) << size;
        EXPECT_THAT(checked.out, HasSubstr("model not offered")) << size;

        const Result programmed =
            run({"program", "--db", db, "--model", "M", "--simulate", fixture("blink.hex")});
        EXPECT_NE(programmed.status, 0) << size;
        EXPECT_THAT(programmed.out, Not(HasSubstr("Chip programmed."))) << size;
    }
}

TEST_F(FilesAndSignals, DevicesAreNeverReadWhole) {
    const Result dumped = run(with_test_db({"dump", "/dev/zero"}));
    EXPECT_EQ(dumped.status, 2);
    EXPECT_THAT(dumped.err, HasSubstr("/dev/zero"));
    EXPECT_THAT(dumped.err, HasSubstr("character device"));

    EXPECT_EQ(run({"check-db", "/dev/zero"}).status, 2);

    std::filesystem::create_symlink("/dev/zero", path("zero.state"));
    const Result simulated = run(with_test_db({"erase", "--simulate=" + path("zero.state")}));
    EXPECT_EQ(simulated.status, 2);
    EXPECT_THAT(simulated.err, HasSubstr("character device"));
}

TEST_F(FilesAndSignals, TraceAndStateFileAreWrittenThroughTheirLinks) {
    std::filesystem::create_directories(path("real"));
    std::filesystem::create_symlink("real/run.vcd", path("run.vcd"));
    std::ofstream(path("real/run.vcd")) << "old";
    ASSERT_EQ(run(with_test_db({"erase", "--simulate=" + path("real/chip.state")})).status, 0);
    std::filesystem::create_symlink("real/chip.state", path("chip.state"));
    const Result erased = run(
        with_test_db({"erase", "--simulate=" + path("chip.state"), "--trace", path("run.vcd")}));
    EXPECT_EQ(erased.status, 0) << erased.err;
    EXPECT_TRUE(std::filesystem::is_symlink(path("run.vcd")));
    EXPECT_TRUE(std::filesystem::is_symlink(path("chip.state")));
    EXPECT_THAT(read_file(path("real/run.vcd")), HasSubstr("$enddefinitions"));
    EXPECT_THAT(read_file(path("real/chip.state")), Not(testing::IsEmpty()));

    const Result refused = run(with_test_db({"erase", "--simulate", "--trace", "/dev/full"}));
    EXPECT_EQ(refused.status, 2);
    EXPECT_THAT(refused.err, HasSubstr("character device"));
}

}  // namespace
