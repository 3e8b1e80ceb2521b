#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <string>

#include "dialog_test_support.h"
#include "gui/dialogs/hardware_settings_dialog.h"
#include "gui/dialogs/option_label.h"
#include "line_test_rig.h"
#include "scripted_prompter.h"

namespace picprog {
namespace {

using testing::kClockBit;
using testing::kVddBit;
using testing::LineTestRig;
using testing::ScriptedPrompter;

constexpr int kVdd = 0;
constexpr int kVpp = 1;
constexpr int kClock = 2;
constexpr int kDataIn = 4;

class HardwareSettingsDialogTest : public ::testing::Test {
protected:
    void open() {
        dialog = std::make_unique<HardwareSettingsDialog>(nullptr, rig.lines, rig.driver,
                                                          rig.settings, prompter);
        ASSERT_TRUE(testing::open_and_activate(*dialog));
    }
    void click_change_pin(int row, std::string answer) {
        prompter.answers.push_back(std::move(answer));
        QTest::mouseClick(dialog->change_pin_label(row), Qt::LeftButton);
    }
    std::string caption(int row) { return dialog->invert_check(row)->text().toStdString(); }

    LineTestRig rig;
    ScriptedPrompter prompter;
    std::unique_ptr<HardwareSettingsDialog> dialog;
};

TEST_F(HardwareSettingsDialogTest, OpensWithLinesOffFlagsTickedAndPinNamesInCaptions) {
    rig.lines.vdd_pin = 1;  // hardware-inverted pin: shows with its "\"
    rig.lines.vdd_inverted = 1;
    rig.shadow.data = 0xFF;
    open();
    EXPECT_EQ(dialog->windowTitle(), "Hardware Settings");
    EXPECT_EQ(caption(0), "Invert VDD line (\\C0)");
    EXPECT_EQ(caption(1), "Invert VPP line (D3)");
    EXPECT_EQ(caption(2), "Invert CLOCK line (D1)");
    EXPECT_EQ(caption(3), "Invert DATA OUT line (D0)");
    EXPECT_EQ(caption(4), "Invert DATA IN line (S6)");
    const bool expected_ticks[] = {true, false, true, true, true};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(dialog->invert_check(row)->isChecked(), expected_ticks[row]) << row;
        EXPECT_EQ(dialog->change_pin_label(row)->text(), "Change Pin");
    }
    // all_lines_off ran: VPP (D3) was driven low from the 0xFF left behind.
    ASSERT_TRUE(rig.last_data());
    EXPECT_EQ(*rig.last_data() & testing::kVppBit, 0);
}

TEST_F(HardwareSettingsDialogTest, KeepsItsFixedColours) {
    open();
    EXPECT_EQ(testing::painted_back(*dialog), QColor(0xC0, 0xC0, 0xC0));
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(testing::painted_back(*dialog->invert_check(row)), QColor(0xE0, 0xE0, 0xE0));
    }
    EXPECT_EQ(dialog->change_pin_label(4)->palette().color(QPalette::Window),
              QColor(0xC0, 0xFF, 0xC0));
}

TEST_F(HardwareSettingsDialogTest, UntickingInvertClockStoresZeroAndDrivesThePinLowAtOnce) {
    open();
    ASSERT_NE(*rig.last_data() & kClockBit, 0);  // inverted CLOCK idles with the pin high
    rig.port.clear();
    QTest::mouseClick(dialog->invert_check(kClock), Qt::LeftButton);
    EXPECT_EQ(rig.lines.clock_inverted, 0);
    EXPECT_EQ(rig.stored("Invert CLOCK"), "0");
    ASSERT_TRUE(rig.last_data());
    EXPECT_EQ(*rig.last_data() & kClockBit, 0);

    QTest::mouseClick(dialog->invert_check(kClock), Qt::LeftButton);
    EXPECT_EQ(rig.lines.clock_inverted, 1);
    EXPECT_EQ(rig.stored("Invert CLOCK"), "1");
    EXPECT_NE(*rig.last_data() & kClockBit, 0);
}

TEST_F(HardwareSettingsDialogTest, TickingInvertVddSwitchesTheVddPinHigh) {
    open();
    QTest::mouseClick(dialog->invert_check(kVdd), Qt::LeftButton);
    EXPECT_EQ(rig.stored("Invert VDD"), "1");
    EXPECT_NE(*rig.last_data() & kVddBit, 0);
}

TEST_F(HardwareSettingsDialogTest, AsksWithThePromptAndTheCurrentPin) {
    open();
    click_change_pin(kDataIn, "");
    click_change_pin(kVpp, "");
    ASSERT_EQ(prompter.questions.size(), 2u);
    EXPECT_EQ(prompter.questions[0].prompt,
              "Enter new parallel port pin for DATA IN line [10-13,15].");
    EXPECT_EQ(prompter.questions[0].default_text, "10");
    EXPECT_EQ(prompter.questions[0].title, kProductTitle);
    EXPECT_EQ(prompter.questions[1].prompt,
              "Enter new parallel port pin for VPP line [1-9,14,16,17].");
    EXPECT_EQ(prompter.questions[1].default_text, "5");
}

struct PinCase {
    const char* label;
    int row;
    const char* answer;
    bool accepted;
};

class HardwareSettingsPinAnswers : public HardwareSettingsDialogTest,
                                   public ::testing::WithParamInterface<PinCase> {};

TEST_P(HardwareSettingsPinAnswers, AcceptOnlyTheExactAllowedTexts) {
    const PinCase& c = GetParam();
    open();
    const LineSettings before = rig.lines;
    const std::string caption_before = caption(c.row);
    rig.port.clear();
    click_change_pin(c.row, c.answer);

    int32_t LineSettings::*pin = kLines[static_cast<size_t>(c.row)].pin;
    const std::string setting_name(kLines[static_cast<size_t>(c.row)].pin_setting);
    if (c.accepted) {
        EXPECT_TRUE(prompter.messages.empty());
        EXPECT_EQ(rig.lines.*pin, std::stoi(c.answer));
        EXPECT_EQ(rig.stored(setting_name), c.answer);
        EXPECT_NE(caption(c.row), caption_before);
        EXPECT_FALSE(rig.port.writes().empty()) << "lines driven off after the change";
    } else {
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].text, "Wrong entry!");
        EXPECT_EQ(prompter.messages[0].kind, MsgKind::Error);
        EXPECT_EQ(prompter.messages[0].title, kProductTitle);
        EXPECT_EQ(rig.lines.*pin, before.*pin);
        EXPECT_EQ(rig.stored(setting_name), "<missing>");
        EXPECT_EQ(caption(c.row), caption_before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    HardwareSettings, HardwareSettingsPinAnswers,
    ::testing::Values(
        PinCase{"datain_4", kDataIn, "4", false}, PinCase{"datain_15", kDataIn, "15", true},
        PinCase{"datain_11", kDataIn, "11", true}, PinCase{"vdd_10", kVdd, "10", false},
        PinCase{"vdd_17", kVdd, "17", true}, PinCase{"vdd_1", kVdd, "1", true},
        PinCase{"vpp_leading_blank", kVpp, " 5", false},
        PinCase{"vpp_leading_zero", kVpp, "05", false}, PinCase{"vpp_decimal", kVpp, "5.0", false},
        PinCase{"vpp_trailing_blank", kVpp, "5 ", false}, PinCase{"vpp_6", kVpp, "6", true},
        PinCase{"vpp_15", kVpp, "15", false}, PinCase{"vpp_0", kVpp, "0", false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(HardwareSettingsDialogTest, FiveAloneIsAcceptedForVpp) {
    rig.lines.vpp_pin = 6;
    open();
    click_change_pin(kVpp, "5");
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(rig.lines.vpp_pin, 5);
    EXPECT_EQ(rig.stored("VPP Pin Num"), "5");
    EXPECT_EQ(caption(kVpp), "Invert VPP line (D3)");
}

TEST_F(HardwareSettingsDialogTest, CancellingThePromptChangesNothingAndSaysNothing) {
    open();
    const LineSettings before = rig.lines;
    rig.port.clear();
    click_change_pin(kClock, "");
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(rig.lines.clock_pin, before.clock_pin);
    EXPECT_EQ(rig.store.value_count(""), 0u);
    EXPECT_TRUE(rig.port.writes().empty());
}

TEST_F(HardwareSettingsDialogTest, APinSharedWithAnotherLineIsAccepted) {
    open();
    click_change_pin(kClock, "4");  // VDD's pin
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(rig.lines.clock_pin, 4);
    EXPECT_EQ(rig.lines.vdd_pin, 4);
    EXPECT_EQ(rig.stored("CLOCK Pin Num"), "4");
    EXPECT_EQ(caption(kClock), "Invert CLOCK line (D2)");
}

TEST_F(HardwareSettingsDialogTest, ClosingDrivesTheLinesOffOnce) {
    open();
    rig.shadow.data = 0xFF;
    rig.port.clear();
    QTest::mouseClick(dialog->close_button(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    // all_lines_off is four flushes of data and control.
    EXPECT_EQ(rig.data_writes().size(), 4u);
    EXPECT_EQ(*rig.last_data() & (kVddBit | testing::kVppBit), 0);
}

TEST_F(HardwareSettingsDialogTest, EscapeClosesAndDrivesTheLinesOff) {
    open();
    rig.port.clear();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(rig.data_writes().size(), 4u);
}

}  // namespace
}  // namespace picprog
