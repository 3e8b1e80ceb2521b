// The buffer tables: row texts, scroll ranges, the configuration words, and
// where the keyboard focus rests.

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>

#include "gui/mainwindow/buffer_text.h"
#include "gui/mainwindow/focus_routing.h"
#include "gui/mainwindow/window_fixture.h"

namespace picprog::gui_test {
namespace {

std::vector<int32_t> counting(int32_t size) {
    std::vector<int32_t> memory(static_cast<size_t>(size));
    for (int32_t i = 0; i < size; ++i) {
        memory[static_cast<size_t>(i)] = i;
    }
    return memory;
}

std::vector<std::string> rows(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (true) {
        const size_t end = text.find("\r\n", start);
        out.push_back(text.substr(start, end - start));
        if (end == std::string::npos) {
            return out;
        }
        start = end + 2;
    }
}

TEST(BufferDisplayText, FlashRowsAreAddressColonAndEightWords) {
    const std::string text = flash_table_text(counting(1024), 120);
    const std::vector<std::string> r = rows(text);
    ASSERT_EQ(r.size(), 8u);
    EXPECT_EQ(r.front(), "0003C0: 03C0 03C1 03C2 03C3 03C4 03C5 03C6 03C7");
    EXPECT_EQ(r.back(), "0003F8: 03F8 03F9 03FA 03FB 03FC 03FD 03FE 03FF");
    EXPECT_EQ(r.front().size(), 47u);
    EXPECT_EQ(text.substr(text.size() - 4), "03FF") << "no line end after the last row";
}

TEST(BufferDisplayText, EepromRowsAreFourDigitAddressAndEightBytes) {
    const std::vector<std::string> r = rows(eeprom_table_text(counting(128), 8));
    ASSERT_EQ(r.size(), 8u);
    EXPECT_EQ(r.front(), "0040: 40 41 42 43 44 45 46 47");
    EXPECT_EQ(r.back(), "0078: 78 79 7A 7B 7C 7D 7E 7F");
    EXPECT_EQ(r.front().size(), 29u);
}

TEST(BufferDisplayText, ShortAndRaggedMemoriesShowOnlyWhatExists) {
    EXPECT_EQ(eeprom_table_text(counting(12), 0),
              "0000: 00 01 02 03 04 05 06 07\r\n0008: 08 09 0A 0B");
    EXPECT_EQ(flash_table_text({}, 0), "");
    EXPECT_EQ(flash_table_text(counting(16), 5), "");
}

TEST(BufferDisplayText, ScrollMaximumShowsTheLastEightRows) {
    const std::vector<std::pair<int32_t, int32_t>> cases = {
        {1024, 120}, {2048, 248}, {128, 8}, {64, 0}, {256, 24}, {0, 0}, {16, 0}, {100, 5}, {-1, 0}};
    for (const auto& [size, maximum] : cases) {
        EXPECT_EQ(scroll_maximum(size), maximum) << size;
    }
}

TEST(BufferDisplayWindow, ScrollBarsReachTheEndOfEachMemory) {
    WindowFixture f;
    f.preset(setting::kMicrocontrollerModel, "2");  // 1024 words, 128 bytes
    f.start();
    EXPECT_EQ(f.c().scrl1->maximum(), 120);
    EXPECT_EQ(f.c().scrl2->maximum(), 8);

    f.c().scrl1->setValue(120);
    f.c().scrl2->setValue(8);
    const std::vector<std::string> flash = rows(f.flash_text());
    ASSERT_EQ(flash.size(), 8u);
    EXPECT_EQ(flash.front().substr(0, 7), "0003C0:");
    EXPECT_EQ(flash.back(), "0003F8: 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF");
    const std::vector<std::string> eeprom = rows(f.c().tabla_eeprom->text());
    EXPECT_EQ(eeprom.front(), "0040: FF FF FF FF FF FF FF FF");
    EXPECT_EQ(eeprom.back().substr(0, 5), "0078:");
}

TEST(BufferDisplayWindow, SixtyFourByteEepromNeverScrolls) {
    WindowFixture f;
    f.preset(setting::kMicrocontrollerModel, "4");
    f.start();
    EXPECT_EQ(f.c().scrl2->maximum(), 0);
    EXPECT_EQ(f.c().label_info->text().toStdString(), "FLASH: 1024,  EEPROM: 64");
}

TEST(BufferDisplayWindow, SecondConfigWordShowsOnlyForModelsThatUseIt) {
    WindowFixture without;
    without.start();
    without.programmer.image.config[2] = 0x1234;
    without.window->updatedisplay();
    EXPECT_TRUE(without.c().label_conf[1]->isHidden());
    EXPECT_TRUE(without.c().lfix[1]->isHidden());
    EXPECT_EQ(without.c().label_conf[1]->text().toStdString(), "");
    EXPECT_EQ(without.c().label_conf[0]->text().toStdString(), "3FFF");

    WindowFixture with;
    with.preset(setting::kMicrocontrollerModel, "3");
    with.start();
    with.programmer.image.config[2] = 0x1234;
    with.window->updatedisplay();
    EXPECT_FALSE(with.c().label_conf[1]->isHidden());
    EXPECT_FALSE(with.c().lfix[1]->isHidden());
    EXPECT_EQ(with.c().label_conf[1]->text().toStdString(), "1234");
}

TEST(BufferDisplayWindow, ClearBufferBlanksAndReturnsToTheFirstRows) {
    WindowFixture f;
    f.start();
    f.programmer.image.flash[0] = 0x0123;
    f.programmer.image.eeprom[0] = 0x5A;
    f.c().scrl1->setValue(40);
    f.window->set_label_hex("/some/file.hex");
    f.window->set_status("something");
    f.c().command[0]->setFocus();

    f.c().menuclear->trigger();

    EXPECT_EQ(f.c().scrl1->value(), 0);
    EXPECT_EQ(rows(f.flash_text()).front(), "000000: 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF");
    EXPECT_EQ(rows(f.c().tabla_eeprom->text()).front(), "0000: FF FF FF FF FF FF FF FF");
    EXPECT_EQ(f.c().label_hex->text().toStdString(), "");
    EXPECT_EQ(f.status(), "");
    EXPECT_EQ(QApplication::focusWidget(), f.c().scrl1);
}

TEST(BufferDisplayFocus, FocusFollowsTheTableUnderTheMouse) {
    WindowFixture f;
    f.start();
    ASSERT_EQ(QApplication::focusWidget(), f.c().scrl1);
    EXPECT_EQ(f.window->focus_routing().focused_bar(), FocusedBar::Flash);

    QTest::mouseMove(f.c().tabla_eeprom, QPoint(20, 20));
    EXPECT_EQ(QApplication::focusWidget(), f.c().scrl2);
    EXPECT_EQ(f.window->focus_routing().focused_bar(), FocusedBar::Eeprom);

    QTest::mouseMove(f.c().tabla_flash, QPoint(30, 30));
    EXPECT_EQ(QApplication::focusWidget(), f.c().scrl1);
}

TEST(BufferDisplayFocus, TablesHandTheFocusToTheirBars) {
    WindowFixture f;
    f.start();
    f.c().command[4]->setFocus();
    QTest::keyClick(f.c().command[4], Qt::Key_Tab);  // next in order: the FLASH table
    EXPECT_EQ(QApplication::focusWidget(), f.c().scrl1);

    f.c().tabla_eeprom->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(QApplication::focusWidget(), f.c().scrl2);

    // A click on a table itself never gives it the focus.
    f.c().command[0]->setFocus();
    QTest::mouseClick(f.c().tabla_flash, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_NE(QApplication::focusWidget(), f.c().tabla_flash);
}

TEST(BufferDisplayFocus, BackgroundClickFocusesTheFlashBar) {
    WindowFixture f;
    f.start();
    f.c().scrl2->setFocus();
    // Between the model line and the FLASH caption there is only background.
    QTest::mouseClick(f.c().client, Qt::LeftButton, {}, QPoint(350, 100));
    EXPECT_EQ(QApplication::focusWidget(), f.c().scrl1);

    // A click on a caption label is not a background click.
    f.c().scrl2->setFocus();
    QTest::mouseClick(f.c().label3, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), f.c().scrl2);
}

}  // namespace
}  // namespace picprog::gui_test
