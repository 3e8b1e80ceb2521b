#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/hardware/line_driver.h"
#include "core/sim/chip_for_model.h"
#include "core/sim/simulated_programmer.h"
#include "dialog_test_support.h"
#include "gui/dialogs/check_hardware_dialog.h"
#include "line_test_rig.h"

namespace picprog {
namespace {

using testing::kClockBit;
using testing::kDataOutBit;
using testing::kVddBit;
using testing::kVppBit;
using testing::LineTestRig;

constexpr int kVdd = 0;
constexpr int kVpp = 1;
constexpr int kClock = 2;
constexpr int kDataOut = 3;
constexpr int kDataIn = 4;

class CheckHardwareDialogTest : public ::testing::Test {
protected:
    void open() {
        dialog = std::make_unique<CheckHardwareDialog>(nullptr, rig.lines, rig.driver);
        ASSERT_TRUE(testing::open_and_activate(*dialog));
    }
    void click(int row) { QTest::mouseClick(dialog->line_check(row), Qt::LeftButton); }

    LineTestRig rig;
    std::unique_ptr<CheckHardwareDialog> dialog;
};

TEST_F(CheckHardwareDialogTest, OpensWithEveryLineOffAndPinNamesInCaptions) {
    // VDD and VPP left on, as after an interrupted operation.
    rig.driver.vdd_on();
    rig.driver.vpp_on();
    ASSERT_EQ(*rig.last_data() & (kVddBit | kVppBit), kVddBit | kVppBit);
    open();
    EXPECT_EQ(*rig.last_data() & (kVddBit | kVppBit), 0);
    EXPECT_EQ(dialog->windowTitle(), "Check Hardware");
    const char* expected[] = {"Enable VDD line (D2)", "Enable VPP line (D3)",
                              "Enable CLOCK line (D1)", "Enable DATA OUT line (D0)",
                              "Status of DATA IN line (S6)"};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(dialog->line_check(row)->text(), expected[row]);
        EXPECT_FALSE(dialog->line_check(row)->isChecked());
    }
    EXPECT_EQ(testing::painted_back(*dialog), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(testing::painted_back(*dialog->line_check(kDataIn)), QColor(0xE0, 0xE0, 0xE0));
}

struct OutputCase {
    const char* label;
    int row;
    uint8_t bit;
    bool pin_high_when_ticked;  // false for the inverted CLOCK and DATA OUT
};

class CheckHardwareOutputs : public CheckHardwareDialogTest,
                             public ::testing::WithParamInterface<OutputCase> {};

TEST_P(CheckHardwareOutputs, TickDrivesTheLogicalLevelThroughTheInversion) {
    const OutputCase& c = GetParam();
    open();
    click(c.row);
    ASSERT_TRUE(dialog->line_check(c.row)->isChecked());
    EXPECT_EQ((*rig.last_data() & c.bit) != 0, c.pin_high_when_ticked);
    click(c.row);
    EXPECT_EQ((*rig.last_data() & c.bit) != 0, !c.pin_high_when_ticked);
}

INSTANTIATE_TEST_SUITE_P(CheckHardware, CheckHardwareOutputs,
                         ::testing::Values(OutputCase{"vdd", kVdd, kVddBit, true},
                                           OutputCase{"vpp", kVpp, kVppBit, true},
                                           OutputCase{"clock", kClock, kClockBit, false},
                                           OutputCase{"dataout", kDataOut, kDataOutBit, false}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(CheckHardwareDialogTest, ClosingWithVddAndVppOnSwitchesVddOffFirst) {
    open();
    click(kVdd);
    click(kVpp);
    ASSERT_EQ(*rig.last_data() & (kVddBit | kVppBit), kVddBit | kVppBit);
    rig.port.clear();
    QTest::mouseClick(dialog->close_button(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    const std::vector<uint8_t> data = rig.data_writes();
    ASSERT_EQ(data.size(), 4u);
    EXPECT_EQ(data[0] & (kVddBit | kVppBit), kVppBit);  // VDD off, VPP still on
    EXPECT_EQ(data[1] & (kVddBit | kVppBit), 0);
}

TEST_F(CheckHardwareDialogTest, ClosingThroughTheFrameSwitchesTheLinesOffAndStopsPolling) {
    open();
    click(kVdd);
    ASSERT_TRUE(dialog->poll_timer().isActive());
    dialog->close();
    EXPECT_EQ(*rig.last_data() & kVddBit, 0);
    EXPECT_FALSE(dialog->poll_timer().isActive());
}

// The dialog over the simulated programmer board, whose DATA IN level a
// fault can pin.
class CheckHardwareOnBoard : public ::testing::Test {
protected:
    CheckHardwareOnBoard() : board(chip_for_model("PIC16F84A")), driver(lines, shadow, board) {}

    void open() {
        dialog = std::make_unique<CheckHardwareDialog>(nullptr, lines, driver);
        ASSERT_TRUE(testing::open_and_activate(*dialog));
    }
    void pin_datain(bool level) {
        SimulatorFaults faults;
        faults.data_in_stuck = level;
        board.set_faults(faults);
    }
    QCheckBox& status_box() { return *dialog->line_check(kDataIn); }

    LineSettings lines;
    PortShadow shadow;
    SimulatedProgrammer board;
    LineDriver driver;
    std::unique_ptr<CheckHardwareDialog> dialog;
};

TEST_F(CheckHardwareOnBoard, PollFollowsTheDataInLevel) {
    open();
    pin_datain(true);
    dialog->poll_datain();
    EXPECT_TRUE(status_box().isChecked());
    pin_datain(false);
    dialog->poll_datain();
    EXPECT_FALSE(status_box().isChecked());
}

TEST_F(CheckHardwareOnBoard, ReleasedDataOutReadsBackAsOneWithNoChipPulling) {
    open();
    dialog->poll_datain();
    EXPECT_FALSE(status_box().isChecked());  // DATA OUT off pulls the line low
    QTest::mouseClick(dialog->line_check(kDataOut), Qt::LeftButton);
    dialog->poll_datain();
    EXPECT_TRUE(status_box().isChecked());
}

TEST_F(CheckHardwareOnBoard, ClickingTheStatusBoxShowsTheLineAndFocusesClose) {
    open();
    pin_datain(false);
    QTest::mouseClick(&status_box(), Qt::LeftButton);
    EXPECT_FALSE(status_box().isChecked());
    EXPECT_TRUE(dialog->close_button()->hasFocus());

    pin_datain(true);
    status_box().setFocus();
    QTest::mouseClick(&status_box(), Qt::LeftButton);  // would untick it
    EXPECT_TRUE(status_box().isChecked());
    EXPECT_TRUE(dialog->close_button()->hasFocus());
}

}  // namespace
}  // namespace picprog
