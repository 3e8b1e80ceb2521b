// Mouse wheel scrolling: three rows per notch on the focused table's bar,
// only while the main window is active and the setting allows it.

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "gui/mainwindow/focus_routing.h"
#include "gui/mainwindow/wheel_hook.h"
#include "gui/mainwindow/window_fixture.h"

namespace picprog::gui_test {
namespace {

TEST(WheelStep, ThreeRowsPerNotchWithinTheBarsRange) {
    struct Case {
        int value, minimum, maximum, notches, expected;
    };
    const Case cases[] = {
        {0, 0, 100, -1, 3},      // towards the user: later rows
        {2, 0, 100, 1, 0},       // away from the user, clamped at Min
        {100, 0, 100, -1, 100},  // at Max stays at Max
        {99, 0, 100, -1, 100},  {50, 0, 100, 2, 44}, {50, 0, 100, -3, 59},
        {10, 0, 100, 0, 10},    {0, 0, 0, -1, 0},  // a memory that fits the table
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wheel_scrolled_value(c.value, c.minimum, c.maximum, c.notches), c.expected)
            << c.value << " " << c.notches;
    }
}

class WheelWindow : public ::testing::Test {
protected:
    void SetUp() override {
        f.start();
        other.resize(50, 50);
        other.show();
    }
    void TearDown() override { QApplication::setActiveWindow(nullptr); }

    // Turns the wheel over `over` by `delta` (120 per notch, positive away
    // from the user).
    void wheel(QWidget* over, int delta) {
        const QPointF at(over->width() / 2.0, over->height() / 2.0);
        QWheelEvent event(at, over->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &event);
    }
    void activate() { QApplication::setActiveWindow(f.window.get()); }
    void deactivate() { QApplication::setActiveWindow(&other); }
    void set_wheel_setting(int32_t value) { f.store.write_dword("", "Mouse Wheel Enabled", value); }
    QScrollBar& flash_bar() { return *f.c().scrl1; }
    QScrollBar& eeprom_bar() { return *f.c().scrl2; }

    WindowFixture f;
    QWidget other;
};

TEST_F(WheelWindow, NotchesScrollTheFocusedTableThreeRowsClamped) {
    ASSERT_TRUE(f.window->wheel_enabled());
    ASSERT_EQ(f.window->focus_routing().focused_bar(), FocusedBar::Flash);
    ASSERT_GT(flash_bar().maximum(), 10);
    wheel(f.c().tabla_flash, -120);
    EXPECT_EQ(flash_bar().value(), 3);
    flash_bar().setValue(2);
    wheel(f.c().tabla_flash, 120);
    EXPECT_EQ(flash_bar().value(), 0);
    flash_bar().setValue(flash_bar().maximum());
    wheel(f.c().tabla_flash, -120);
    EXPECT_EQ(flash_bar().value(), flash_bar().maximum());
}

TEST_F(WheelWindow, TheBarUnderThePointerDoesNotScrollTwice) {
    wheel(&flash_bar(), -120);
    EXPECT_EQ(flash_bar().value(), 3);
    // Over a label the focused table scrolls all the same.
    wheel(f.c().label_status, -120);
    EXPECT_EQ(flash_bar().value(), 6);
}

TEST_F(WheelWindow, ScrollingTheTableShowsItsNewRows) {
    wheel(f.c().tabla_flash, -120);
    EXPECT_EQ(f.flash_text().substr(0, 7), "000018:");
}

TEST_F(WheelWindow, BackgroundClickSendsTheWheelToTheFlashTable) {
    eeprom_bar().setFocus(Qt::MouseFocusReason);
    wheel(f.c().tabla_eeprom, -120);
    ASSERT_EQ(eeprom_bar().value(), 3);
    QTest::mouseClick(f.c().client, Qt::LeftButton, {}, QPoint(2, 2));
    wheel(f.c().tabla_eeprom, -120);
    EXPECT_EQ(flash_bar().value(), 3);
    EXPECT_EQ(eeprom_bar().value(), 3);
}

TEST_F(WheelWindow, SmallDeltasAddUpToNotches) {
    // A touchpad: 40 units a time, three events to the notch.
    wheel(f.c().tabla_flash, -40);
    wheel(f.c().tabla_flash, -40);
    EXPECT_EQ(flash_bar().value(), 0);
    wheel(f.c().tabla_flash, -40);
    EXPECT_EQ(flash_bar().value(), 3);
    for (int i = 0; i < 6; ++i) {
        wheel(f.c().tabla_flash, -20);
    }
    EXPECT_EQ(flash_bar().value(), 6);
    wheel(f.c().tabla_flash, 60);
    wheel(f.c().tabla_flash, 60);
    EXPECT_EQ(flash_bar().value(), 3);
}

TEST_F(WheelWindow, SettingZeroSwitchesItOffFromTheNextActivation) {
    set_wheel_setting(0);
    wheel(f.c().tabla_flash, -120);
    EXPECT_EQ(flash_bar().value(), 3) << "still on until the window is activated again";
    deactivate();
    activate();
    EXPECT_FALSE(f.window->wheel_enabled());
    wheel(f.c().tabla_flash, -120);
    wheel(&flash_bar(), -120);
    EXPECT_EQ(flash_bar().value(), 3);

    set_wheel_setting(1);
    wheel(f.c().tabla_flash, -120);
    EXPECT_EQ(flash_bar().value(), 3);
    deactivate();
    activate();
    wheel(f.c().tabla_flash, -120);
    EXPECT_EQ(flash_bar().value(), 6);
}

TEST_F(WheelWindow, NothingWhileTheWindowIsInactive) {
    deactivate();
    EXPECT_FALSE(f.window->wheel_enabled());
    wheel(f.c().tabla_flash, -120);
    wheel(&flash_bar(), -120);
    EXPECT_EQ(flash_bar().value(), 0);
}

TEST_F(WheelWindow, TwoActivationsLeaveOneHook) {
    QEvent activation(QEvent::ActivationChange);
    QApplication::sendEvent(f.window.get(), &activation);
    QApplication::sendEvent(f.window.get(), &activation);
    ASSERT_TRUE(f.window->isActiveWindow());
    wheel(f.c().tabla_flash, -120);
    EXPECT_EQ(flash_bar().value(), 3);
    deactivate();
    wheel(f.c().tabla_flash, -120);
    EXPECT_EQ(flash_bar().value(), 3) << "one removal takes the only hook away";
}

}  // namespace
}  // namespace picprog::gui_test
