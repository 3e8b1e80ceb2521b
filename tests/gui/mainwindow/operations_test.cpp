// The five chip operations started from the window's buttons against the
// simulated board: captions, the controls during and after a run, Read
// All's table, the mismatch box, and what the window ignores or does while
// a run is in progress.

#include <gtest/gtest.h>

#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "gui/mainwindow/window_fixture.h"

namespace picprog::gui_test {
namespace {

enum Button { kProgram = 0, kRead, kErase, kBlank, kVerify };

class Operations : public ::testing::Test {
protected:
    void SetUp() override {
        f.preset(setting::kMicrocontrollerModel, "2");  // 16F627A: 1024 words, 128 bytes
        // Each operation on its own here; the option has a test of its own.
        f.preset(setting::kVerifyAfterProgramming, "0");
        f.start();
    }

    void click(Button button) { QTest::mouseClick(f.c().command[button], Qt::LeftButton); }

    bool all_ten_disabled() {
        for (QMenu* menu : f.c().menus()) {
            if (menu->menuAction()->isEnabled()) {
                return false;
            }
        }
        for (QPushButton* b : f.c().command) {
            if (b->isEnabled()) {
                return false;
            }
        }
        return true;
    }

    void fill_buffer(int32_t words) {
        for (int32_t i = 0; i < words; ++i) {
            f.programmer.image.flash[static_cast<size_t>(i)] = (i * 37 + 5) & 0x3FFF;
        }
        f.programmer.image.eeprom[0] = 0xA5;
        f.programmer.image.eeprom[9] = 0x3C;
        f.programmer.image.config[1] = 0x3F10;
    }

    // caption, whole seconds, ".", two digits of hundredths, " seconds elapsed...".
    static void expect_elapsed(const std::string& status, const std::string& caption) {
        const std::string tail = " seconds elapsed...";
        ASSERT_GT(status.size(), caption.size() + tail.size()) << status;
        ASSERT_EQ(status.substr(0, caption.size()), caption) << status;
        ASSERT_EQ(status.substr(status.size() - tail.size()), tail) << status;
        const std::string number =
            status.substr(caption.size(), status.size() - caption.size() - tail.size());
        const size_t point = number.find('.');
        ASSERT_NE(point, std::string::npos) << status;
        EXPECT_GT(point, 0u) << status;
        EXPECT_EQ(number.size() - point, 3u) << status;
        EXPECT_EQ(number.find_first_not_of("0123456789."), std::string::npos) << status;
    }

    WindowFixture f;
};

TEST_F(Operations, ProgramAllWritesTheBufferAndVerifyAgrees) {
    fill_buffer(40);
    std::set<std::string> captions;
    bool disabled_throughout = true;
    f.probe->on_write = [&] {
        captions.insert(f.status());
        disabled_throughout = disabled_throughout && all_ten_disabled();
    };

    click(kProgram);

    EXPECT_TRUE(disabled_throughout);
    EXPECT_TRUE(captions.count("Begin program all."));
    EXPECT_TRUE(captions.count("F:1/40"));
    EXPECT_TRUE(captions.count("F:40/40"));
    EXPECT_TRUE(captions.count("E:10/10"));
    EXPECT_TRUE(captions.count("CONF1:"));
    expect_elapsed(f.status(), "Chip programmed. ");
    EXPECT_FALSE(all_ten_disabled());
    const ChipMemory& chip = f.board->chip().memory();
    for (int32_t i = 0; i < 40; ++i) {
        ASSERT_EQ(chip.program(i), (i * 37 + 5) & 0x3FFF) << i;
    }
    EXPECT_EQ(chip.program(40), 0x3FFF);
    EXPECT_EQ(chip.data(9), 0x3C);
    EXPECT_EQ(chip.config(0x2007), 0x3F10);

    f.probe->on_write = nullptr;
    click(kVerify);
    expect_elapsed(f.status(), "Chip verified. ");
    EXPECT_TRUE(f.boxes.boxes.empty());
}

TEST_F(Operations, VerifyMismatchShowsTheReportAfterTheControlsAreBack) {
    fill_buffer(8);
    click(kProgram);
    f.programmer.image.flash[3] = 0x0000;
    f.programmer.image.flash[5] = 0x1111;
    bool enabled_at_box = false;
    f.boxes.on_box = [&] { enabled_at_box = f.c().command[kVerify]->isEnabled(); };

    click(kVerify);

    expect_elapsed(f.status(), "Chip verify failed. ");
    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    const ScriptedBoxes::Box& box = f.boxes.boxes[0];
    EXPECT_EQ(box.kind, MsgKind::Error);
    EXPECT_EQ(box.title, "Quellmark Parallel Port PIC Programmer");
    EXPECT_EQ(box.text.rfind("Chip verify failed:\r\n\r\nMemory Location,", 0), 0u) << box.text;
    EXPECT_NE(box.text.find("FLASH Word 0003h,   "), std::string::npos);
    EXPECT_NE(box.text.find("FLASH Word 0005h,   "), std::string::npos);
    EXPECT_TRUE(enabled_at_box);
}

TEST_F(Operations, BrokenChipRuleIsShownInAWarningBoxAfterTheRun) {
    // The 16F627A needs VPP before VDD; a model edited to the other order
    // never gets the chip into programming mode.
    f.programmer.model.voltage_sequence = VoltageSequence::VddFirst;
    click(kErase);
    expect_elapsed(f.status(), "Chip erased. ");
    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    const ScriptedBoxes::Box& box = f.boxes.boxes[0];
    EXPECT_EQ(box.kind, MsgKind::Warning);
    EXPECT_NE(box.text.find("PIC16F627A: VDD rose before VPP"), std::string::npos) << box.text;
    EXPECT_TRUE(f.c().command[kErase]->isEnabled());
}

TEST_F(Operations, VerifyAfterProgrammingFollowsProgramAllWhileTicked) {
    EXPECT_FALSE(f.c().menuverifyafter->isChecked());
    f.c().menuverifyafter->trigger();
    EXPECT_EQ(f.stored(setting::kVerifyAfterProgramming), "1");
    fill_buffer(8);
    std::vector<std::string> statuses;
    f.probe->on_write = [&] {
        if (statuses.empty() || statuses.back() != f.status()) {
            statuses.push_back(f.status());
        }
    };
    click(kProgram);
    expect_elapsed(f.status(), "Chip verified. ");
    EXPECT_NE(std::find(statuses.begin(), statuses.end(), "Begin verify."), statuses.end());
    EXPECT_TRUE(f.boxes.boxes.empty());
}

// The fixture's models give no device ID; these give theirs as the shipped
// database does.
void give_device_ids(WindowFixture& f) {
    const std::pair<const char*, const char*> ids[] = {{"16F628A", "1060 3FE0"},
                                                       {"16F627A", "1040 3FE0"},
                                                       {"16F88", "0760 3FF0"},
                                                       {"16F84A", "0560 3FE0"}};
    for (DeviceModel& model : f.programmer.database.models) {
        for (const auto& [name, id] : ids) {
            if (model.name == name) {
                model.deviceid = id;
            }
        }
    }
    select_model(f.programmer.model, f.programmer.database);
}

TEST_F(Operations, IdentifyChipNamesThePartInTheSocket) {
    give_device_ids(f);
    f.c().menuidentify->trigger();
    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    EXPECT_EQ(f.boxes.boxes[0].kind, MsgKind::Information);
    EXPECT_EQ(f.boxes.boxes[0].text, "16F627A, revision 0 (device ID 1040h)");
    EXPECT_EQ(f.status(), "16F627A, revision 0 (device ID 1040h)");
}

// The socket holds a 16F627A while the 16F628A is selected.
TEST_F(Operations, AnotherChipInTheSocketIsQuestionedAndNoLeavesItUntouched) {
    give_device_ids(f);
    f.programmer.model.index = 1;
    select_model(f.programmer.model, f.programmer.database);
    f.boxes.answers = {kAnswerNo};
    f.c().menuidentify->trigger();
    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    EXPECT_EQ(f.boxes.boxes[0].kind, MsgKind::YesNo);
    EXPECT_NE(f.boxes.boxes[0].text.find("The selected model is 16F628A. Select 16F627A?"),
              std::string::npos);
    EXPECT_EQ(f.programmer.model.index, 1);

    fill_buffer(8);
    f.boxes.boxes.clear();
    f.boxes.answers = {kAnswerNo};
    click(kProgram);
    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    EXPECT_EQ(f.boxes.boxes[0].text,
              "The chip in the socket is a 16F627A, not the selected 16F628A. Continue anyway?");
    EXPECT_EQ(f.status(), "Operation stopped: the chip in the socket is not a 16F628A.");
    EXPECT_EQ(f.board->chip().memory().program(0), 0x3FFF);
    EXPECT_TRUE(f.c().command[kProgram]->isEnabled());
}

TEST_F(Operations, ReadAllShowsTheChipsWordsInTheTable) {
    ChipMemory& chip = f.board->chip().memory();
    for (int32_t i = 0; i < 8; ++i) {
        chip.set_program(i, static_cast<uint16_t>(0x2800 + i));
    }
    chip.set_data(1, 0x77);
    f.programmer.image.flash[100] = 0x0042;  // blanked by the read
    bool table_blank_during_run = false;
    f.probe->on_write = [&] {
        if (f.status() == "F:1/1024") {
            table_blank_during_run = f.flash_text().substr(0, 12) == "000000: 3FFF";
        }
    };

    click(kRead);

    expect_elapsed(f.status(), "Chip read. ");
    EXPECT_TRUE(table_blank_during_run);
    EXPECT_EQ(f.flash_text().substr(0, 47), "000000: 2800 2801 2802 2803 2804 2805 2806 2807");
    EXPECT_EQ(f.c().tabla_eeprom->text().substr(0, 11), "0000: FF 77");
    EXPECT_EQ(f.programmer.image.flash[100], 0x3FFF);
}

TEST_F(Operations, EraseThenBlankCheckPasses) {
    fill_buffer(16);
    click(kProgram);
    click(kBlank);
    expect_elapsed(f.status(), "Chip is not blank. ");
    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    EXPECT_EQ(f.boxes.boxes[0].text.rfind("Chip is not blank:\r\n\r\n", 0), 0u);

    click(kErase);
    expect_elapsed(f.status(), "Chip erased. ");
    click(kBlank);
    expect_elapsed(f.status(), "Chip is blank. ");
    EXPECT_EQ(f.boxes.boxes.size(), 1u);
}

TEST_F(Operations, LabelsAndSecondOperationsAreIgnoredDuringARun) {
    fill_buffer(16);
    f.files.open_answer = "/nowhere/x.hex";
    bool poked = false;
    f.probe->on_write = [&] {
        if (poked || f.status() != "F:2/16") {
            return;
        }
        poked = true;
        QTest::mouseClick(f.c().label_hex, Qt::LeftButton);
        QTest::mouseClick(f.c().label7, Qt::LeftButton);
        f.window->run_operation(ChipOperation::EraseAll);
        f.window->clear_buffer_command();
    };

    click(kProgram);

    EXPECT_TRUE(poked);
    EXPECT_TRUE(f.files.open_folders.empty());
    expect_elapsed(f.status(), "Chip programmed. ");
    EXPECT_EQ(f.programmer.image.flash[0], 5) << "the buffer was not cleared";
    EXPECT_EQ(f.board->chip().memory().program(15), (15 * 37 + 5) & 0x3FFF)
        << "no erase ran inside the program run";
}

TEST_F(Operations, ClosingDuringARunStopsItPowersDownAndThenCloses) {
    fill_buffer(200);
    int64_t writes_at_close = 0;
    f.probe->on_write = [&] {
        if (writes_at_close == 0 && f.status() == "F:50/200") {
            writes_at_close = f.probe->writes;
            EXPECT_FALSE(f.window->close()) << "the window stays while the run winds down";
        }
    };

    click(kProgram);

    EXPECT_GT(writes_at_close, 0);
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_FALSE(f.programmer.running);
    EXPECT_EQ(f.status(), "Operation stopped. The chip is powered down.");
    EXPECT_FALSE(f.board->levels().vdd);
    EXPECT_FALSE(f.board->levels().vpp);
    EXPECT_EQ(f.board->chip().memory().program(150), 0x3FFF);
    EXPECT_TRUE(f.quits.empty());
}

TEST(OperationsFatal, UndefinedListEndsTheProgramAfterItsMessage) {
    WindowFixture f;
    f.preset(setting::kMicrocontrollerModel, "3");  // a model without algorithms
    f.start();

    QTest::mouseClick(f.c().command[kProgram], Qt::LeftButton);

    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    EXPECT_EQ(f.boxes.boxes[0].text,
              "Unrecognized symbolic instruction ''.\r\nThe program must end.");
    EXPECT_EQ(f.quits, std::vector<int>{kFatalExitStatus});
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_TRUE(f.window->ended_fatally());
}

}  // namespace
}  // namespace picprog::gui_test
