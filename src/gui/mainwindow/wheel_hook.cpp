#include "gui/mainwindow/wheel_hook.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace picprog {

int wheel_scrolled_value(int value, int minimum, int maximum, int notches) {
    // Wide enough for any notch count a wheel event can carry.
    const long long moved =
        static_cast<long long>(value) - static_cast<long long>(notches) * kWheelRows;
    return static_cast<int>(std::clamp<long long>(moved, minimum, maximum));
}

WheelHook::WheelHook(QWidget& window, SettingsStore& settings, QScrollBar& flash_bar,
                     QScrollBar& eeprom_bar, std::function<QScrollBar*()> focused_bar,
                     QObject* parent)
    : QObject(parent),
      window_(window),
      settings_(settings),
      flash_bar_(flash_bar),
      eeprom_bar_(eeprom_bar),
      focused_bar_(std::move(focused_bar)) {
    flash_bar_.installEventFilter(this);
    eeprom_bar_.installEventFilter(this);
}

WheelHook::~WheelHook() {
    remove();
}

void WheelHook::install() {
    if (settings_.get_setting_dword(setting::kMouseWheelEnabled, 1) == 0) {
        return;
    }
    if (installed_) {
        remove();
    }
    installed_ = true;
    pending_delta_ = 0;
    qApp->installEventFilter(this);
}

void WheelHook::remove() {
    if (!installed_) {
        return;
    }
    installed_ = false;
    qApp->removeEventFilter(this);
}

void WheelHook::mouse_wheel(int delta) {
    QScrollBar* bar = focused_bar_ ? focused_bar_() : nullptr;
    if (bar == nullptr) {
        return;
    }
    pending_delta_ += delta;
    const int notches = pending_delta_ / kWheelNotch;
    pending_delta_ -= notches * kWheelNotch;
    if (notches != 0) {
        bar->setValue(wheel_scrolled_value(bar->value(), bar->minimum(), bar->maximum(), notches));
    }
}

bool WheelHook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel) {
        return QObject::eventFilter(watched, event);
    }
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != &window_) {
        return QObject::eventFilter(watched, event);
    }
    // The application filter sees the event first; the bars' own filter
    // only keeps them from turning while the hook is not installed.
    if (installed_) {
        mouse_wheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
    }
    return true;
}

}  // namespace picprog
