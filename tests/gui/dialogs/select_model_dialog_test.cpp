#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <string>

#include "core/settings/memory_backend.h"
#include "dialog_test_support.h"
#include "gui/dialogs/option_label.h"
#include "gui/dialogs/select_model_dialog.h"

namespace picprog {
namespace {

// A name that select_model never writes, to see whether it ran.
constexpr auto kUntouched = "untouched";

DeviceDatabase database_of(int32_t count) {
    DeviceDatabase database;
    for (int32_t i = 1; i <= count; ++i) {
        DeviceModel model;
        model.name = "PIC" + std::to_string(i);
        model.flash = std::to_string(1024 * i);
        model.eeprom = "64 bytes";
        model.progtime = "4";
        database.models.push_back(model);
    }
    return database;
}

class SelectModelDialogTest : public ::testing::Test {
protected:
    void open(int32_t count, int32_t current_index) {
        database = database_of(count);
        current.index = current_index;
        current.name = kUntouched;
        dialog = std::make_unique<SelectModelDialog>(nullptr, current, database, settings, theme,
                                                     [this] { ++pumps; });
        ASSERT_TRUE(testing::open_and_activate(*dialog));
    }
    void click(int32_t number) { QTest::mouseClick(dialog->option(number), Qt::LeftButton); }
    QColor back(int32_t number) {
        return dialog->option(number)->palette().color(QPalette::Window);
    }
    bool stored() { return store.value("", setting::kMicrocontrollerModel).has_value(); }

    MemoryBackend store;
    SettingsStore settings{store};
    ColorTheme theme = find_theme("Night Vision").colors;
    DeviceDatabase database;
    CurrentModel current;
    int pumps = 0;
    std::unique_ptr<SelectModelDialog> dialog;
};

struct LayoutCase {
    int32_t count;
    int button_top_twips;  // 360 below the top of the last model's label
};

class SelectModelLayout : public SelectModelDialogTest,
                          public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(SelectModelLayout, ButtonsStand360BelowTheLastModelAndTheDialogShrinks) {
    const LayoutCase& c = GetParam();
    open(c.count, 1);
    const int top = c.button_top_twips / 15;
    EXPECT_EQ(dialog->select_button()->geometry(), QRect(2340 / 15, top, 1035 / 15, 375 / 15));
    EXPECT_EQ(dialog->cancel_button()->geometry(), QRect(1200 / 15, top, 1035 / 15, 375 / 15));
    // The design keeps 435 twips between the buttons' top and the bottom.
    EXPECT_EQ(dialog->height(), top + 435 / 15);
    EXPECT_EQ(dialog->width(), 4575 / 15);
    for (int32_t number = 1; number <= 70; ++number) {
        EXPECT_EQ(dialog->option(number)->isVisible(), number <= c.count) << number;
    }
    EXPECT_EQ(dialog->option(71), nullptr);
}

INSTANTIATE_TEST_SUITE_P(SelectModel, SelectModelLayout,
                         ::testing::Values(LayoutCase{1, 120 + 360}, LayoutCase{2, 120 + 360},
                                           LayoutCase{5, 600 + 360}, LayoutCase{70, 8640}),
                         [](const auto& info) { return std::to_string(info.param.count); });

TEST_F(SelectModelDialogTest, LabelsSitInTwoColumnsWithNameAndSizesTip) {
    open(70, 1);
    EXPECT_EQ(dialog->windowTitle(), "Select Microcontroller");
    EXPECT_EQ(dialog->option(1)->geometry(), QRect(8, 8, 141, 17));
    EXPECT_EQ(dialog->option(2)->geometry(), QRect(156, 8, 141, 17));
    EXPECT_EQ(dialog->option(69)->geometry(), QRect(8, (120 + 240 * 34) / 15, 141, 17));
    EXPECT_EQ(dialog->option(70)->geometry(), QRect(156, (120 + 240 * 34) / 15, 141, 17));
    EXPECT_EQ(dialog->option(3)->text(), "PIC3");
    // The fields as written in the file, unconverted.
    EXPECT_EQ(dialog->option(2)->toolTip(), "FLASH: 2048, EEPROM: 64 bytes");
}

// Beyond 70 models the dialog grows a column per 35 models: every model
// has its own visible label inside the window, in file order row by row,
// and the last one can be selected.
TEST_F(SelectModelDialogTest, HundredModelsAllShownInThreeColumnsAndSelectable) {
    open(100, 1);
    EXPECT_EQ(dialog->width(), (4575 + 2220) / 15);
    EXPECT_EQ(dialog->option(1)->geometry(), QRect(8, 8, 141, 17));
    EXPECT_EQ(dialog->option(3)->geometry().left(), (120 + 2 * 2220) / 15);
    EXPECT_EQ(dialog->option(4)->geometry(), QRect(8, (120 + 240) / 15, 141, 17));
    const int top = (120 + 240 * 33 + 360) / 15;
    EXPECT_EQ(dialog->select_button()->geometry(),
              QRect((2340 + 1110) / 15, top, 1035 / 15, 375 / 15));
    const QRect inside = dialog->rect();
    for (int32_t number = 1; number <= 100; ++number) {
        const QRect r = dialog->option(number)->geometry();
        EXPECT_TRUE(dialog->option(number)->isVisible()) << number;
        EXPECT_TRUE(inside.contains(r)) << number;
        EXPECT_EQ(dialog->option(number)->text(), QString("PIC%1").arg(number));
        if (number > 1) {
            const QRect before = dialog->option(number - 1)->geometry();
            EXPECT_TRUE(r.top() > before.top() || r.left() > before.left()) << number;
            EXPECT_FALSE(r.intersects(before)) << number;
        }
    }
    EXPECT_LT(dialog->option(100)->geometry().bottom(), dialog->select_button()->geometry().top());
    click(100);
    QTest::mouseClick(dialog->select_button(), Qt::LeftButton);
    EXPECT_EQ(current.index, 100);
    EXPECT_EQ(current.name, "PIC100");
    EXPECT_EQ(store.value("", setting::kMicrocontrollerModel), MemoryBackend::Value("100"));
}

TEST_F(SelectModelDialogTest, CurrentModelInMarkColoursOthersInFieldColours) {
    open(5, 3);
    EXPECT_EQ(back(3), theme.mark_back);
    EXPECT_EQ(dialog->option(3)->palette().color(QPalette::WindowText), theme.mark_text);
    EXPECT_EQ(back(1), theme.field_back);
    EXPECT_EQ(dialog->option(1)->palette().color(QPalette::WindowText), theme.field_text);
    EXPECT_EQ(dialog->palette().color(QPalette::Window), theme.window_back);
    EXPECT_EQ(dialog->index_at_open(), 3);
}

TEST_F(SelectModelDialogTest, ClickMovesTheMarkButMakesNothingCurrent) {
    open(5, 1);
    click(4);
    EXPECT_EQ(current.index, 4);
    EXPECT_EQ(back(4), theme.mark_back);
    EXPECT_EQ(back(1), theme.field_back);
    EXPECT_EQ(current.name, kUntouched);
    EXPECT_FALSE(stored());
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(SelectModelDialogTest, SelectStoresAndMakesTheClickedModelCurrent) {
    open(5, 1);
    click(5);
    QTest::mouseClick(dialog->select_button(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(current.index, 5);
    EXPECT_EQ(current.name, "PIC5");
    EXPECT_EQ(current.flash_size, 5 * 1024);
    EXPECT_EQ(store.value("", setting::kMicrocontrollerModel), MemoryBackend::Value("5"));
    EXPECT_EQ(pumps, 1);
}

TEST_F(SelectModelDialogTest, SelectOnTheCurrentModelStoresNothingAndDoesNotReselect) {
    open(5, 2);
    click(2);
    QTest::mouseClick(dialog->select_button(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(current.index, 2);
    EXPECT_EQ(current.name, kUntouched);
    EXPECT_FALSE(stored());
}

TEST_F(SelectModelDialogTest, ClickingAwayAndBackBeforeSelectStoresNothing) {
    open(5, 2);
    click(4);
    click(2);
    QTest::mouseClick(dialog->select_button(), Qt::LeftButton);
    EXPECT_EQ(current.name, kUntouched);
    EXPECT_FALSE(stored());
}

TEST_F(SelectModelDialogTest, CancelRestoresTheIndexAndStoresNothing) {
    open(5, 2);
    click(4);
    QTest::mouseClick(dialog->cancel_button(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(current.index, 2);
    EXPECT_EQ(current.name, kUntouched);
    EXPECT_FALSE(stored());
}

TEST_F(SelectModelDialogTest, ClosingThroughTheFrameOrEscActsAsCancel) {
    open(5, 2);
    click(4);
    dialog->close();
    EXPECT_EQ(current.index, 2);
    EXPECT_FALSE(stored());

    open(5, 2);
    click(5);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(current.index, 2);
    EXPECT_FALSE(stored());
}

TEST_F(SelectModelDialogTest, DoubleClickSelectsAndClosesInOneStep) {
    open(5, 1);
    QTest::mouseDClick(dialog->option(3), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(current.index, 3);
    EXPECT_EQ(current.name, "PIC3");
    EXPECT_EQ(store.value("", setting::kMicrocontrollerModel), MemoryBackend::Value("3"));
}

}  // namespace
}  // namespace picprog
