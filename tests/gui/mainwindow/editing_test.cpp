// In-place editing: the edit box over a table cell or a configuration
// value, what Enter stores, and what Escape and leaving the box keep.

#include <gtest/gtest.h>

#include <algorithm>

#include <QFontMetricsF>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include "gui/mainwindow/cell_hit.h"
#include "gui/mainwindow/in_place_editor.h"
#include "gui/mainwindow/window_fixture.h"

namespace picprog::gui_test {
namespace {

using Target = InPlaceEditor::Target;

TEST(EditingValue, PadsWithZerosAndReadsTheLastFourDigits) {
    struct Case {
        std::string_view typed;
        int32_t value;
    };
    const Case cases[] = {{"5", 0x0005}, {"ff", 0x00FF},  {"3fff", 0x3FFF}, {"4000", 0x4000},
                          {"7", 0x0007}, {"aBc", 0x0ABC}, {"", -1},         {" 5", -1},
                          {"5 ", -1},    {"g", -1},       {"-1", -1},       {"0x1", -1}};
    for (const Case& c : cases) {
        EXPECT_EQ(edited_value(c.typed), c.value) << '"' << c.typed << '"';
    }
}

TEST(EditingHitTest, FindsTheCellFromTheGrid) {
    // 8-pixel characters, 14-pixel rows, text starting at (3, 1).
    const TextGrid grid{{3, 1}, 8, 14};
    struct Case {
        QPoint at;
        std::optional<Cell> flash;
        std::optional<Cell> eeprom;
    };
    const Case cases[] = {
        {{3 + 64, 1}, Cell{0, 0}, Cell{0, 0}},        // first FLASH digit
        {{3 + 63, 1}, std::nullopt, Cell{0, 0}},      // one pixel left of it
        {{3 + 48, 1}, std::nullopt, Cell{0, 0}},      // first EEPROM digit
        {{3 + 48 + 23, 1}, Cell{0, 0}, Cell{0, 0}},   // EEPROM cell's trailing blank
        {{3 + 48 + 24, 1}, Cell{0, 0}, Cell{0, 1}},   // next EEPROM cell
        {{3 + 47, 5}, std::nullopt, std::nullopt},    // left of both
        {{3 + 64 + 39, 15}, Cell{1, 0}, Cell{1, 2}},  // FLASH cell's trailing blank
        {{3 + 64 + 40, 15}, Cell{1, 1}, Cell{1, 2}},  // next FLASH cell
        {{3 + 64 + 320, 1}, std::nullopt, std::nullopt},
        {{3 + 64 + 319, 1 + 14 * 8 - 1}, Cell{7, 7}, std::nullopt},
        {{3 + 64, 1 + 14 * 8}, std::nullopt, std::nullopt},  // below row 8
        {{3 + 64, 0}, std::nullopt, std::nullopt},           // above row 1
    };
    auto same = [](const std::optional<Cell>& a, const std::optional<Cell>& b) {
        return a.has_value() == b.has_value() &&
               (!a || (a->row == b->row && a->column == b->column));
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(same(cell_at(grid, kFlashColumns, c.at), c.flash))
            << c.at.x() << "," << c.at.y();
        EXPECT_TRUE(same(cell_at(grid, kEepromColumns, c.at), c.eeprom))
            << c.at.x() << "," << c.at.y();
    }
    EXPECT_EQ(cell_rect(grid, kFlashColumns, {2, 3}), QRect(3 + 64 + 120, 1 + 28, 40, 14));
    EXPECT_EQ(cell_rect(grid, kEepromColumns, {0, 1}), QRect(3 + 48 + 24, 1, 24, 14));
}

class EditingWindow : public ::testing::Test {
protected:
    void SetUp() override {
        f.start();
        f.window->set_label_hex("/home/user/blink.hex");
    }

    BufferTable* table(Target target) {
        return target == Target::Flash ? f.c().tabla_flash : f.c().tabla_eeprom;
    }
    // Centre of a cell in its table's pixels, from the table's own grid.
    QPoint cell_centre(Target target, int row, int column) {
        const CellColumns& columns = target == Target::Flash ? kFlashColumns : kEepromColumns;
        return cell_rect(table(target)->text_grid(), columns, {row, column}).center();
    }
    void right_click(Target target, QPoint at) {
        QTest::mouseClick(table(target), Qt::RightButton, {}, at);
    }
    CellEditBox& box() { return *f.window->editor().box(); }
    void type(const char* text) { QTest::keyClicks(&box(), text); }
    void press(Qt::Key key) { QTest::keyClick(&box(), key); }

    WindowFixture f;
};

TEST_F(EditingWindow, RightClickOpensAnEmptyBoxExactlyOverTheCell) {
    right_click(Target::Flash, cell_centre(Target::Flash, 2, 3));
    ASSERT_TRUE(box().isVisible());
    EXPECT_TRUE(box().hasFocus());
    EXPECT_TRUE(box().text().isEmpty());
    EXPECT_EQ(box().maxLength(), 4);
    EXPECT_EQ(f.window->editor().target(), Target::Flash);
    EXPECT_EQ(f.window->editor().index(), 2 * 8 + 3);
    // Over the cell's digits, its frame in the blanks on either side.
    const TextGrid grid = f.c().tabla_flash->text_grid();
    const QRect cell = cell_rect(grid, kFlashColumns, {2, 3});
    const QRect box_in_table(f.c().tabla_flash->mapFrom(f.c().client, box().pos()), box().size());
    const double digits_left = cell_text_left(grid, kFlashColumns, {2, 3});
    const double digits_right = digits_left + 4 * grid.char_width;
    EXPECT_EQ(box_in_table.top(), cell.top());
    EXPECT_EQ(box_in_table.height(), cell.height());
    EXPECT_LT(box_in_table.left(), digits_left);
    EXPECT_GT(box_in_table.left(), digits_left - grid.char_width);
    EXPECT_GT(box_in_table.right(), digits_right);
    EXPECT_LT(box_in_table.right(), digits_right + grid.char_width);
}

TEST_F(EditingWindow, EveryCellUnderThePointerIsTheOneEdited) {
    for (Target target : {Target::Flash, Target::Eeprom}) {
        for (int row = 0; row < 8; ++row) {
            for (int column = 0; column < 8; ++column) {
                right_click(target, cell_centre(target, row, column));
                ASSERT_TRUE(box().isVisible());
                EXPECT_EQ(f.window->editor().index(), row * 8 + column);
                EXPECT_TRUE(box().geometry().contains(
                    table(target)->mapTo(f.c().client, cell_centre(target, row, column))));
                press(Qt::Key_Escape);
            }
        }
    }
}

TEST_F(EditingWindow, TheScrollPositionCountsIntoTheAddress) {
    f.c().scrl1->setValue(5);
    right_click(Target::Flash, cell_centre(Target::Flash, 1, 2));
    EXPECT_EQ(f.window->editor().index(), (5 + 1) * 8 + 2);
    type("123");
    press(Qt::Key_Return);
    EXPECT_EQ(f.programmer.image.flash[50], 0x123);
}

TEST_F(EditingWindow, ClicksLeftOfTheFirstCellOrBelowRowEightDoNothing) {
    const TextGrid grid = f.c().tabla_flash->text_grid();
    const QPoint left_of_first(grid.origin.x() + kFlashColumns.lead_chars * grid.char_width - 1,
                               grid.origin.y() + grid.row_pitch / 2);
    const QPoint below_last(grid.origin.x() + 10 * grid.char_width,
                            grid.origin.y() + 8 * grid.row_pitch + 1);
    ASSERT_TRUE(f.c().tabla_flash->rect().contains(below_last));
    right_click(Target::Flash, left_of_first);
    EXPECT_FALSE(box().isVisible());
    right_click(Target::Flash, below_last);
    EXPECT_FALSE(box().isVisible());
    // The left button never edits.
    QTest::mouseClick(f.c().tabla_flash, Qt::LeftButton, {}, cell_centre(Target::Flash, 0, 0));
    EXPECT_FALSE(box().isVisible());
}

TEST_F(EditingWindow, EnterStoresAValidWordRefreshesAndEmptiesTheFileLabel) {
    f.window->set_status("Chip programmed.");
    right_click(Target::Flash, cell_centre(Target::Flash, 0, 1));
    type("3fff");
    f.programmer.image.flash[1] = 0x1111;  // so that storing 3FFFh shows
    press(Qt::Key_Return);
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(f.programmer.image.flash[1], 0x3FFF);
    EXPECT_EQ(f.flash_text().substr(0, 18), "000000: 3FFF 3FFF ");
    EXPECT_TRUE(f.c().label_hex->text().isEmpty());
    EXPECT_EQ(f.status(), "Chip programmed.");
    EXPECT_TRUE(f.c().scrl1->hasFocus());
    EXPECT_TRUE(f.boxes.boxes.empty());
}

TEST_F(EditingWindow, AnOutOfRangeOrMalformedWordIsDroppedSilently) {
    for (const char* typed : {"4000", "x1", "ffff"}) {
        right_click(Target::Flash, cell_centre(Target::Flash, 0, 0));
        type(typed);
        press(Qt::Key_Enter);
        EXPECT_FALSE(box().isVisible()) << typed;
        EXPECT_EQ(f.programmer.image.flash[0], 0x3FFF) << typed;
    }
    EXPECT_FALSE(f.c().label_hex->text().isEmpty());
    EXPECT_TRUE(f.boxes.boxes.empty());
}

TEST_F(EditingWindow, EepromCellTakesTwoDigitsAndPadsOne) {
    right_click(Target::Eeprom, cell_centre(Target::Eeprom, 1, 0));
    EXPECT_EQ(box().maxLength(), 2);
    type("123");
    EXPECT_EQ(box().text(), "12");
    box().clear();
    type("7");
    press(Qt::Key_Return);
    EXPECT_EQ(f.programmer.image.eeprom[8], 0x07);
    EXPECT_NE(f.c().tabla_eeprom->text().find("0008: 07 FF"), std::string::npos);
    EXPECT_TRUE(f.c().scrl2->hasFocus());
}

TEST_F(EditingWindow, EscapeKeepsTheValueAndFocusesTheTablesBar) {
    right_click(Target::Eeprom, cell_centre(Target::Eeprom, 0, 0));
    type("12");
    press(Qt::Key_Escape);
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(f.programmer.image.eeprom[0], 0xFF);
    EXPECT_TRUE(f.c().scrl2->hasFocus());
}

TEST_F(EditingWindow, LeavingTheBoxKeepsTheValue) {
    right_click(Target::Flash, cell_centre(Target::Flash, 0, 0));
    type("1234");
    f.c().command[0]->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(f.programmer.image.flash[0], 0x3FFF);
    EXPECT_TRUE(f.c().scrl1->hasFocus());
}

TEST_F(EditingWindow, EnterOnAnEmptyBoxStoresNothing) {
    right_click(Target::Flash, cell_centre(Target::Flash, 0, 0));
    press(Qt::Key_Return);
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(f.programmer.image.flash[0], 0x3FFF);
    EXPECT_FALSE(f.c().label_hex->text().isEmpty());
}

TEST_F(EditingWindow, ConfigurationValueOpensOverItsLabel) {
    ClickableLabel* label = f.c().label_conf[0];
    QTest::mouseClick(label, Qt::LeftButton);
    ASSERT_TRUE(box().isVisible());
    EXPECT_TRUE(box().hasFocus());
    EXPECT_EQ(box().geometry(), label->geometry());
    EXPECT_EQ(box().maxLength(), 4);
    type("2f4a");
    press(Qt::Key_Return);
    EXPECT_EQ(f.programmer.image.config[1], 0x2F4A);
    EXPECT_EQ(label->text(), "2F4A");
    EXPECT_TRUE(f.c().scrl1->hasFocus());
}

TEST_F(EditingWindow, HiddenSecondConfigurationWordCannotBeEdited) {
    ASSERT_FALSE(f.programmer.model.config2_used);
    ASSERT_FALSE(f.c().label_conf[1]->isVisible());
    // A click where the label would be lands on the window's background.
    const QPoint where = f.c().label_conf[1]->geometry().center();
    QTest::mouseClick(f.c().client, Qt::LeftButton, {}, where);
    EXPECT_FALSE(box().isVisible());
    f.window->editor().open_config(1);
    EXPECT_FALSE(box().isVisible());
}

TEST_F(EditingWindow, NothingOpensWhileAnOperationRuns) {
    f.programmer.running = true;
    right_click(Target::Flash, cell_centre(Target::Flash, 0, 0));
    EXPECT_FALSE(box().isVisible());
    QTest::mouseClick(f.c().label_conf[0], Qt::LeftButton);
    EXPECT_FALSE(box().isVisible());
    f.programmer.running = false;
}

class EditingSmallModel : public ::testing::Test {
protected:
    void SetUp() override {
        DeviceModel small = f.programmer.database.models[2];  // uses 2008h
        small.name = "small";
        small.eeprom = "20";
        f.programmer.database.models.push_back(small);
        f.preset("Microcontroller Model", std::to_string(f.programmer.database.model_count()));
    }
    WindowFixture f;
};

TEST_F(EditingSmallModel, CellsPastTheEndOfMemoryDoNothing) {
    f.start();
    ASSERT_EQ(f.programmer.model.eeprom_size, 20);
    BufferTable* table = f.c().tabla_eeprom;
    QLineEdit& box = *f.window->editor().box();
    const auto centre = [&](int row, int column) {
        return cell_rect(table->text_grid(), kEepromColumns, {row, column}).center();
    };
    QTest::mouseClick(table, Qt::RightButton, {}, centre(2, 4));  // address 20
    EXPECT_FALSE(box.isVisible());
    QTest::mouseClick(table, Qt::RightButton, {}, centre(2, 3));  // address 19, the last
    EXPECT_TRUE(box.isVisible());
    EXPECT_EQ(f.window->editor().index(), 19);
}

TEST_F(EditingSmallModel, SecondConfigurationWordIsEditableWhenUsed) {
    f.start();
    ASSERT_TRUE(f.c().label_conf[1]->isVisible());
    QTest::mouseClick(f.c().label_conf[1], Qt::LeftButton);
    QTest::keyClicks(f.window->editor().box(), "5");
    QTest::keyClick(f.window->editor().box(), Qt::Key_Return);
    EXPECT_EQ(f.programmer.image.config[2], 0x0005);
    EXPECT_EQ(f.c().label_conf[1]->text(), "0005");
}

}  // namespace
}  // namespace picprog::gui_test

namespace picprog::gui_test {
namespace {

// The bounds of the text in `picture`: where it differs from its back
// colour, sampled at (inset, inset), looking `inset` pixels in from the
// edges and left of `end_x` (where the caret stands).
QRect ink_bounds(const QImage& picture, int inset, int end_x) {
    const QColor back = picture.pixelColor(inset, inset);
    QRect ink;
    for (int y = inset; y < picture.height() - inset; ++y) {
        for (int x = inset; x < end_x; ++x) {
            if (picture.pixelColor(x, y) != back) {
                ink |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

// The edit box in two themes: it stands out from what it covers, and the
// digits typed into it lie exactly where the value's digits are drawn.
class EditBoxLooks : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        f.preset(setting::kColorTheme, GetParam());
        f.start();
    }
    CellEditBox& box() { return *f.window->editor().box(); }
    // Types the value it covers; the box then shows, then hides, and
    // both pictures of its place are compared.
    void type_and_compare(const QString& value) {
        QTest::keyClicks(&box(), value);
        const QRect place = box().geometry();
        const QImage open = f.c().client->grab(place).toImage();
        const int caret_x = static_cast<int>(box().text_origin().x() +
                                             QFontMetricsF(box().font()).horizontalAdvance(value));
        box().hide();
        const QImage closed = f.c().client->grab(place).toImage();
        const int middle = open.height() / 2;
        EXPECT_NE(open.pixelColor(0, middle), closed.pixelColor(0, middle)) << "frame";
        EXPECT_NE(open.pixelColor(2, 2), closed.pixelColor(2, 2)) << "back";
        EXPECT_EQ(ink_bounds(open, 2, caret_x), ink_bounds(closed, 2, caret_x));
        EXPECT_FALSE(ink_bounds(closed, 2, caret_x).isEmpty());
    }

    WindowFixture f;
};

TEST_P(EditBoxLooks, OverAFlashCellTheTypedDigitsCoverTheCellsDigits) {
    BufferTable* table = f.c().tabla_flash;
    QTest::mouseClick(table, Qt::RightButton, {},
                      cell_rect(table->text_grid(), kFlashColumns, {0, 1}).center());
    ASSERT_TRUE(box().isVisible());
    type_and_compare("3FFF");
}

TEST_P(EditBoxLooks, OverTheConfigWordTheTypedDigitsCoverTheLabelsDigits) {
    ClickableLabel* label = f.c().label_conf[0];
    QTest::mouseClick(label, Qt::LeftButton);
    ASSERT_TRUE(box().isVisible());
    type_and_compare(label->text());
}

INSTANTIATE_TEST_SUITE_P(Themes, EditBoxLooks, ::testing::Values("Original Lite", "Night Vision"),
                         [](const auto& info) {
                             std::string name = info.param;
                             name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
                             return name;
                         });

}  // namespace
}  // namespace picprog::gui_test
