#pragma once

#include <QObject>
#include <functional>

#include "core/settings/settings_store.h"

class QScrollBar;
class QWidget;

namespace picprog {

// Rows one wheel notch moves a table.
constexpr int kWheelRows = 3;
// Wheel distance of one notch of a standard mouse wheel.
constexpr int kWheelNotch = 120;

// The bar's new value after `notches` notches (positive: away from the
// user, towards the first rows), kWheelRows rows each, within min and max.
int wheel_scrolled_value(int value, int minimum, int maximum, int notches);

// Turns the mouse wheel into scrolling of the buffer table that has the
// focus, while the main window is active: install() when the window is
// activated (it reads "Mouse Wheel Enabled" each time, so a change takes
// effect at the next activation), remove() when it is deactivated.
//
// A standard wheel moves kWheelRows rows per notch. High-resolution wheels
// and touchpads send many small deltas: these are added up and the table
// moves kWheelRows rows per kWheelNotch of distance, so a touchpad scrolls
// at the pace of a wheel instead of three rows for every tiny event.
//
// The scroll bars never turn on their own: every wheel event over the
// window goes through the hook, or nowhere when it is not installed.
class WheelHook : public QObject {
    Q_OBJECT
public:
    // `focused_bar` answers the bar of the table with the focus (nullptr
    // for none). The references must outlive the hook.
    WheelHook(QWidget& window, SettingsStore& settings, QScrollBar& flash_bar,
              QScrollBar& eeprom_bar, std::function<QScrollBar*()> focused_bar,
              QObject* parent = nullptr);
    ~WheelHook() override;

    // Starts catching the window's wheel events, unless the setting is 0.
    // Installing again first removes the hook, so there is never more than one.
    void install();
    void remove();
    bool installed() const { return installed_; }

    // Scrolls the focused table by a wheel distance (kWheelNotch per notch,
    // positive away from the user).
    void mouse_wheel(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    SettingsStore& settings_;
    QScrollBar& flash_bar_;
    QScrollBar& eeprom_bar_;
    std::function<QScrollBar*()> focused_bar_;
    bool installed_ = false;
    int pending_delta_ = 0;
};

}  // namespace picprog
