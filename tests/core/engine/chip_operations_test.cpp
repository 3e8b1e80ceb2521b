#include "core/engine/chip_operations.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/devices/device_loader.h"
#include "core/engine/elapsed_text.h"
#include "support/fixed_word_backend.h"
#include "support/recording_view.h"

namespace picprog {
namespace {

using test_support::FixedWordBackend;
using test_support::RecordingView;
using ::testing::StartsWith;

TEST(ElapsedText, KeepsWholeSecondsAndCutHundredths) {
    EXPECT_EQ(elapsed_text(8.0625), "8.06");
    EXPECT_EQ(elapsed_text(3.5), "3.50");
    EXPECT_EQ(elapsed_text(0.29), "0.29");
    EXPECT_EQ(elapsed_text(59.999), "59.99");
    EXPECT_EQ(elapsed_text(0), "0.00");
    EXPECT_EQ(elapsed_text(-1), "0.00");
    EXPECT_EQ(elapsed_text(125.1), "125.10");
}

// A Programmer with one 32-word model whose lists are given by the test, a
// back end answering every read frame with one word, and a clock the test
// moves by hand.
class Operations : public ::testing::Test {
protected:
    void use_lists(const std::string& erase, const std::string& program, const std::string& read,
                   const std::string& blank, const std::string& verify, int eeprom = 8) {
        const std::string text = "erasealgdef 1: " + erase + "\r\nprogramalgdef 1: " + program +
                                 "\r\nreadalgdef 1: " + read + "\r\nblankcheckalgdef 1: " +
                                 blank + "\r\nverifyalgdef 1: " + verify +
                                 "\r\nmodel: TEST\r\nflash: 32\r\neeprom: " +
                                 std::to_string(eeprom) +
                                 "\r\nconfigerased: 3FFF 3FFF\r\nvoltageseq: vddvpp\r\n"
                                 "progtime: 2\r\npagesize: 1\r\nerasealg: 1\r\nprogramalg: 1\r\n"
                                 "readalg: 1\r\nblankcheckalg: 1\r\nverifyalg: 1\r\n";
        programmer.database = parse_device_database(text).database;
        ASSERT_TRUE(programmer.select(1));
    }

    FixedWordBackend* backend = new FixedWordBackend(programmer_settings, 0x3FFF);
    LineSettings programmer_settings;
    Programmer programmer{std::unique_ptr<PortBackend>(backend)};
    RecordingView view;
    double now = 100.0;

    void SetUp() override {
        programmer.clock = [this] { return now; };
    }
};

constexpr const char* kCheckAll = "begin,setflashloop,temp=s04,checkflash,loop,end";
constexpr const char* kBlankAll = "begin,setflashloop,temp=s04,checkblankflash,loop,end";

TEST_F(Operations, ProgramAllReportsItsElapsedTime) {
    use_lists("begin,end", "begin,end", "begin,end", "begin,end", "begin,end");
    programmer.clock = [this] {
        const double t = now;
        now += 8.0625;
        return t;
    };
    const OperationResult r = program_all(programmer, view);
    EXPECT_EQ(r.outcome, OperationOutcome::Passed);
    EXPECT_EQ(view.status, "Chip programmed. 8.06 seconds elapsed...");
    EXPECT_EQ(view.statuses.front(), "Begin program all.");
    EXPECT_EQ(view.events, (std::vector<std::string>{"disable", "enable"}));
    EXPECT_TRUE(view.boxes.empty());
}

TEST_F(Operations, StartAndResultCaptionsOfEachOperation) {
    use_lists("begin,end", "begin,end", "begin,end", kBlankAll, kCheckAll);
    struct Expect {
        ChipOperation op;
        const char* start;
        const char* result;
    };
    for (const Expect& e : {Expect{ChipOperation::ReadAll, "Begin read all.", "Chip read. "},
                            Expect{ChipOperation::EraseAll, "Begin erase all.", "Chip erased. "},
                            Expect{ChipOperation::BlankCheck, "Begin blank check.",
                                   "Chip is blank. "},
                            Expect{ChipOperation::Verify, "Begin verify.", "Chip verified. "}}) {
        view.statuses.clear();
        run_chip_operation(programmer, e.op, view);
        EXPECT_EQ(view.statuses.front(), e.start);
        EXPECT_EQ(view.status, std::string(e.result) + "0.00 seconds elapsed...");
    }
    EXPECT_TRUE(view.boxes.empty());
}

TEST_F(Operations, BlankCheckShowsTwentyFiveDifferencesAfterEnabling) {
    use_lists("begin,end", "begin,end", "begin,end", kBlankAll, kCheckAll);
    backend->set_word(0x0000);  // every word of the chip differs from blank
    const OperationResult r = blank_check(programmer, view);
    EXPECT_EQ(r.outcome, OperationOutcome::Failed);
    EXPECT_THAT(view.status, StartsWith("Chip is not blank. "));
    ASSERT_EQ(view.boxes.size(), 1u);
    const std::string& text = view.boxes[0].text;
    EXPECT_THAT(text, StartsWith("Chip is not blank:\r\n\r\nMemory Location,   Read Value,   "
                                 "Expected,\r\nFLASH Word 0000h,   0000h,   3FFFh,\r\n"));
    size_t lines = 0;
    for (char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    EXPECT_EQ(lines, 2u + 1u + 25u);
    EXPECT_EQ(view.boxes[0].title, "");
    EXPECT_EQ(view.boxes[0].kind, MsgKind::Error);
    EXPECT_EQ(view.events, (std::vector<std::string>{"disable", "enable", "msg_box(enabled)"}));
}

TEST_F(Operations, OnlyBlankCheckAndVerifyResetTheReport) {
    use_lists("begin,end", kCheckAll, "begin,end", kBlankAll, kCheckAll);
    backend->set_word(0x0000);
    blank_check(programmer, view);
    EXPECT_EQ(programmer.engine().mismatch_count(), 25);

    backend->set_word(0x3FFF);
    EXPECT_EQ(verify_chip(programmer, view).outcome, OperationOutcome::Passed);
    EXPECT_EQ(programmer.engine().mismatch_count(), 0);

    backend->set_word(0x0001);
    verify_chip(programmer, view);
    const std::string report = programmer.engine().mismatch_report();
    // A Program All whose list checks too appends to that report, and a
    // count already past the limit no longer cuts the walk short.
    program_all(programmer, view);
    EXPECT_EQ(programmer.engine().mismatch_count(), 25 + 32);
    EXPECT_THAT(programmer.engine().mismatch_report(), StartsWith(report));
    EXPECT_EQ(view.status.rfind("Chip programmed. ", 0), 0u);
}

TEST_F(Operations, ReadAllBlanksFirstAndRefreshesBeforeAndAfter) {
    use_lists("begin,end", "begin,end", "begin,config1=s04,end", kBlankAll, kCheckAll);
    programmer.image.flash[3] = 0x0000;
    programmer.image.eeprom[2] = 0x00;
    backend->set_word(0x1234);
    read_all(programmer, view);
    EXPECT_EQ(programmer.image.flash[3], 0x3FFF);
    EXPECT_EQ(programmer.image.eeprom[2], 0xFF);
    EXPECT_EQ(programmer.image.config[1], 0x1234);
    EXPECT_EQ(programmer.image.config[2], 0x3FFF);
    EXPECT_EQ(view.events,
              (std::vector<std::string>{"disable", "updatedisplay", "enable", "updatedisplay"}));
}

TEST_F(Operations, ReadAllOnAModelWithoutEepromSkipsTheEepromLoop) {
    use_lists("begin,end", "begin,end", "seteepromloop,eeprom=s05,loop", kBlankAll, kCheckAll, 0);
    read_all(programmer, view);
    EXPECT_EQ(programmer.engine().eeprom_last(), -1);
    EXPECT_TRUE(backend->writes().empty());
}

TEST_F(Operations, AnUndefinedListEndsTheProgramAtItsFirstInstruction) {
    use_lists("begin,end", "begin,end", "begin,end", kBlankAll, kCheckAll);
    programmer.model.lists[static_cast<size_t>(AlgorithmKind::Erase)] = split_instructions("");
    const OperationResult r = erase_all(programmer, view);
    EXPECT_EQ(r.outcome, OperationOutcome::Unrecognized);
    EXPECT_TRUE(view.fatal);
    EXPECT_EQ(view.boxes.at(0).text,
              "Unrecognized symbolic instruction ''.\r\nThe program must end.");
    EXPECT_FALSE(programmer.running);
}

TEST_F(Operations, ABrokenListLeavesTheWindowEnabled) {
    use_lists("begin,setflashloop,s02-flash", "begin,end", "begin,end", kBlankAll, kCheckAll);
    const OperationResult r = erase_all(programmer, view);
    EXPECT_EQ(r.outcome, OperationOutcome::ListError);
    EXPECT_TRUE(view.enabled);
    EXPECT_EQ(view.boxes.size(), 1u);
    EXPECT_FALSE(programmer.running);
}

// A view that tries to start another operation from inside the event pump,
// as a click arriving during a run would.
class ReentrantView : public RecordingView {
public:
    Programmer* programmer = nullptr;
    std::vector<OperationOutcome> nested;
    void pump_events() override {
        RecordingView::pump_events();
        if (nested.size() < 3) {
            nested.push_back(verify_chip(*programmer, *this).outcome);
        }
    }
};

TEST_F(Operations, ARequestDuringARunIsIgnored) {
    use_lists("begin,end", "begin,s06,end", "begin,end", kBlankAll, kCheckAll);
    ReentrantView reentrant;
    reentrant.programmer = &programmer;
    EXPECT_EQ(program_all(programmer, reentrant).outcome, OperationOutcome::Passed);
    ASSERT_FALSE(reentrant.nested.empty());
    EXPECT_THAT(reentrant.nested, ::testing::Each(OperationOutcome::Ignored));
    EXPECT_EQ(reentrant.status.rfind("Chip programmed. ", 0), 0u);
    // Once the run is over a new request runs.
    EXPECT_EQ(verify_chip(programmer, view).outcome, OperationOutcome::Passed);
}

}  // namespace
}  // namespace picprog
