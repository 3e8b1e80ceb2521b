// The Options, Hardware and Help commands of the main window: each opens
// its dialog or box, and what the window does once it has closed.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "core/sim/chip_for_model.h"
#include "gui/dialogs/check_hardware_dialog.h"
#include "gui/dialogs/dialog_test_support.h"
#include "gui/dialogs/hardware_settings_dialog.h"
#include "gui/dialogs/option_label.h"
#include "gui/dialogs/port_options.h"
#include "gui/dialogs/select_model_dialog.h"
#include "gui/dialogs/theme_dialog.h"
#include "gui/mainwindow/window_fixture.h"

namespace picprog::gui_test {
namespace {

using picprog::testing::when_modal_opens;

// The modal window as the dialog expected, or nullptr (closed, and the
// test failed) when another window opened.
template <typename Dialog>
Dialog* as(QWidget& modal) {
    auto* dialog = qobject_cast<Dialog*>(&modal);
    if (dialog == nullptr) {
        ADD_FAILURE() << "another window opened: " << modal.windowTitle().toStdString();
        static_cast<QDialog&>(modal).reject();
    }
    return dialog;
}

class WindowDialogs : public ::testing::Test {
protected:
    void SetUp() override { f.start(); }
    QColor window_back() { return f.c().client->palette().color(QPalette::Window); }

    WindowFixture f;
};

using SelectModelWindow = WindowDialogs;

TEST_F(SelectModelWindow, EachOfTheThreeLabelsAndTheMenuOpenTheDialog) {
    int opened = 0;
    const auto cancel = [&opened](QWidget& modal) {
        if (qobject_cast<SelectModelDialog*>(&modal) != nullptr) {
            ++opened;
        }
        static_cast<QDialog&>(modal).reject();
    };
    for (ClickableLabel* label : {f.c().label1, f.c().label_ime, f.c().label_info}) {
        EXPECT_EQ(label->toolTip(), "Click to change microcontroller model!");
        when_modal_opens(cancel);
        QTest::mouseClick(label, Qt::LeftButton);
    }
    when_modal_opens(cancel);
    f.c().menumodel->trigger();
    EXPECT_EQ(opened, 4);
}

TEST_F(SelectModelWindow, SelectMakesTheModelCurrentAndClearsTheBuffer) {
    f.programmer.image.flash[0] = 0x1234;
    when_modal_opens([](QWidget& modal) {
        auto* dialog = as<SelectModelDialog>(modal);
        if (dialog == nullptr) {
            return;
        }
        QTest::mouseClick(dialog->option(4), Qt::LeftButton);
        QTest::mouseClick(dialog->select_button(), Qt::LeftButton);
    });
    QTest::mouseClick(f.c().label_ime, Qt::LeftButton);
    EXPECT_EQ(f.programmer.model.name, "16F84A");
    EXPECT_EQ(f.stored("Microcontroller Model"), "4");
    EXPECT_EQ(f.programmer.image.flash.size(), 1024u);
    EXPECT_EQ(f.programmer.image.flash[0], 0x3FFF);
    EXPECT_EQ(f.c().label_ime->text(), "16F84A");
}

TEST_F(SelectModelWindow, CancelKeepsTheModelButStillClearsTheBuffer) {
    const std::string before = f.programmer.model.name;
    f.programmer.image.flash[0] = 0x1234;
    f.window->set_label_hex("/home/user/blink.hex");
    when_modal_opens([](QWidget& modal) {
        auto* dialog = as<SelectModelDialog>(modal);
        if (dialog == nullptr) {
            return;
        }
        QTest::mouseClick(dialog->option(3), Qt::LeftButton);
        QTest::mouseClick(dialog->cancel_button(), Qt::LeftButton);
    });
    f.c().menumodel->trigger();
    EXPECT_EQ(f.programmer.model.name, before);
    EXPECT_EQ(f.programmer.model.index, 1);
    EXPECT_EQ(f.programmer.image.flash[0], 0x3FFF);
    EXPECT_TRUE(f.c().label_hex->text().isEmpty());
}

using ThemeDialogWindow = WindowDialogs;

TEST_F(ThemeDialogWindow, ClickRecoloursTheWindowAndCancelRestoresIt) {
    const QColor lite = find_theme("Original Lite").colors.window_back;
    const QColor night = find_theme("Night Vision").colors.window_back;
    ASSERT_EQ(window_back(), lite);
    QColor while_open;
    when_modal_opens([&](QWidget& modal) {
        auto* dialog = as<ThemeDialog>(modal);
        if (dialog == nullptr) {
            return;
        }
        QTest::mouseClick(dialog->option(30), Qt::LeftButton);  // "Night Vision"
        while_open = window_back();
        QTest::mouseClick(dialog->cancel_button(), Qt::LeftButton);
    });
    f.c().menucolors->trigger();
    EXPECT_EQ(while_open, night);
    EXPECT_EQ(window_back(), lite);
    EXPECT_EQ(f.stored("Color Theme"), "Original Lite");
}

TEST_F(ThemeDialogWindow, SelectKeepsTheThemeForTheWindowAndTheBoxes) {
    when_modal_opens([](QWidget& modal) {
        auto* dialog = as<ThemeDialog>(modal);
        if (dialog == nullptr) {
            return;
        }
        QTest::mouseClick(dialog->option(30), Qt::LeftButton);
        QTest::mouseClick(dialog->select_button(), Qt::LeftButton);
    });
    f.c().menucolors->trigger();
    const ColorTheme& night = find_theme("Night Vision").colors;
    EXPECT_EQ(window_back(), night.window_back);
    EXPECT_EQ(f.stored("Color Theme"), "Night Vision");
    EXPECT_EQ(f.theme.theme.window_back, night.window_back);
    EXPECT_EQ(f.c().label_status->palette().color(QPalette::Window), night.field_back);
}

using PortOptionsWindow = WindowDialogs;

TEST_F(PortOptionsWindow, PortTwoShowsOnTheStatusLine) {
    f.boxes.inputs.push_back("2");
    f.c().menuport->trigger();
    ASSERT_EQ(f.boxes.prompts.size(), 1u);
    EXPECT_EQ(f.boxes.prompts[0].second, "1");
    EXPECT_EQ(f.programmer.line_settings.port_base, 632);
    EXPECT_EQ(f.stored("Parallel Port Address"), "632");
    EXPECT_EQ(f.status(), "Parallel port 2 ready (simulated programmer)");
}

TEST_F(PortOptionsWindow, TheSimulatedBoardMovesToTheChosenPort) {
    auto board = std::make_unique<SimulatedProgrammer>(chip_for_model("16F628A"));
    SimulatedProgrammer& moved = *board;
    f.programmer.set_backend(std::move(board));
    f.boxes.inputs.push_back("3");
    f.c().menuport->trigger();
    EXPECT_EQ(moved.wiring().port_base, 956);
    // The board answers at its new address: DATA IN follows DATA OUT.
    f.programmer.driver().dataout_high();
    EXPECT_EQ(f.programmer.driver().read_datain(), 1);
}

TEST_F(PortOptionsWindow, WrongEntryKeepsTheStatusLine) {
    f.boxes.inputs.push_back("LPT1");
    f.c().menuport->trigger();
    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    EXPECT_EQ(f.boxes.boxes[0].text, "Wrong entry!");
    EXPECT_EQ(f.boxes.boxes[0].kind, MsgKind::Error);
    EXPECT_EQ(f.status(), "Parallel port 1 ready (simulated programmer)");
    EXPECT_EQ(f.stored("Parallel Port Address"), "888");
}

TEST(PortOptionsWindowHardware, TheRealPortIsOpenedAtTheNewAddress) {
    WindowFixture f;
    f.start(false);
    f.boxes.inputs.push_back("3");
    f.c().menuport->trigger();
    EXPECT_EQ(f.hardware->opened_at, 956);
    EXPECT_EQ(f.status(), "Parallel port 3 ready");
}

TEST(PortOptionsWindowHardware, AMissingPortIsNotCalledReady) {
    WindowFixture f;
    f.hardware_failure = "no parallel port at 0x278";
    f.start(false);
    f.boxes.inputs.push_back("2");
    f.c().menuport->trigger();
    EXPECT_EQ(f.hardware->opened_at, 632);
    EXPECT_EQ(f.status(),
              "Parallel port 2 not available: no parallel port at 0x278. Tick Simulated "
              "Programmer in the Hardware menu to try the program without one.");
}

TEST_F(PortOptionsWindow, ProgrammingTimeAndPinout) {
    f.boxes.inputs.push_back("29.5");
    f.c().menuprogtime->trigger();
    EXPECT_EQ(f.programmer.model.programming_time, 30);
    f.c().menuportinfo->trigger();
    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    EXPECT_EQ(f.boxes.boxes[0].text, pinout_text());
    EXPECT_EQ(f.boxes.boxes[0].kind, MsgKind::Ok);
}

using HardwareSettingsWindow = WindowDialogs;

TEST_F(HardwareSettingsWindow, EditsTheProgrammersLineSettings) {
    when_modal_opens([](QWidget& modal) {
        auto* dialog = as<HardwareSettingsDialog>(modal);
        if (dialog == nullptr) {
            return;
        }
        QTest::mouseClick(dialog->invert_check(2), Qt::LeftButton);  // CLOCK
        QTest::mouseClick(dialog->close_button(), Qt::LeftButton);
    });
    f.c().menusettings->trigger();
    EXPECT_EQ(f.programmer.line_settings.clock_inverted, 0);
    EXPECT_EQ(f.stored("Invert CLOCK"), "0");
}

TEST_F(HardwareSettingsWindow, PinPromptsUseTheWindowsInputBox) {
    f.boxes.inputs.push_back("6");
    when_modal_opens([](QWidget& modal) {
        auto* dialog = as<HardwareSettingsDialog>(modal);
        if (dialog == nullptr) {
            return;
        }
        QTest::mouseClick(dialog->change_pin_label(0), Qt::LeftButton);  // VDD
        QTest::mouseClick(dialog->close_button(), Qt::LeftButton);
    });
    f.c().menusettings->trigger();
    ASSERT_EQ(f.boxes.prompts.size(), 1u);
    EXPECT_EQ(f.boxes.prompts[0].first, "Enter new parallel port pin for VDD line [1-9,14,16,17].");
    EXPECT_EQ(f.programmer.line_settings.vdd_pin, 6);
}

using CheckHardwareWindow = WindowDialogs;

TEST_F(CheckHardwareWindow, HardwareCheckOpensAndLeavesTheLinesOff) {
    bool vdd_was_on = false;
    when_modal_opens([&](QWidget& modal) {
        auto* dialog = as<CheckHardwareDialog>(modal);
        if (dialog == nullptr) {
            return;
        }
        QTest::mouseClick(dialog->line_check(0), Qt::LeftButton);
        vdd_was_on = f.board->levels().vdd;
        QTest::mouseClick(dialog->close_button(), Qt::LeftButton);
    });
    f.c().menucheck->trigger();
    EXPECT_TRUE(vdd_was_on);
    EXPECT_FALSE(f.board->levels().vdd);
}

}  // namespace
}  // namespace picprog::gui_test
