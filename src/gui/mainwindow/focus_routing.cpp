#include "gui/mainwindow/focus_routing.h"

#include <QEvent>
#include <QScrollBar>

#include "gui/mainwindow/buffer_table.h"

namespace picprog {

FocusRouting::FocusRouting(MainWindowControls& controls, QObject* parent)
    : QObject(parent), controls_(controls) {
    controls_.tabla_flash->installEventFilter(this);
    controls_.tabla_eeprom->installEventFilter(this);
    controls_.scrl1->installEventFilter(this);
    controls_.scrl2->installEventFilter(this);
    controls_.client->installEventFilter(this);
}

bool FocusRouting::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn) {
        if (watched == controls_.scrl1) {
            focused_bar_ = FocusedBar::Flash;
        } else if (watched == controls_.scrl2) {
            focused_bar_ = FocusedBar::Eeprom;
        } else if (watched == controls_.tabla_flash) {
            table_focused(Table::Flash);
        } else if (watched == controls_.tabla_eeprom) {
            table_focused(Table::Eeprom);
        }
    } else if (type == QEvent::MouseMove || type == QEvent::Enter) {
        if (watched == controls_.tabla_flash) {
            mouse_over(Table::Flash);
        } else if (watched == controls_.tabla_eeprom) {
            mouse_over(Table::Eeprom);
        }
    } else if (type == QEvent::MouseButtonPress && watched == controls_.client) {
        controls_.scrl1->setFocus(Qt::MouseFocusReason);
    }
    return QObject::eventFilter(watched, event);
}

void FocusRouting::table_focused(Table table) {
    QScrollBar* bar = table == Table::Flash ? controls_.scrl1 : controls_.scrl2;
    bar->setFocus(Qt::OtherFocusReason);
    if (hook_) {
        hook_(table);
    }
}

void FocusRouting::mouse_over(Table table) {
    if (table == Table::Flash && focused_bar_ == FocusedBar::Eeprom) {
        controls_.scrl1->setFocus(Qt::MouseFocusReason);
    } else if (table == Table::Eeprom && focused_bar_ == FocusedBar::Flash) {
        controls_.scrl2->setFocus(Qt::MouseFocusReason);
    }
}

}  // namespace picprog
