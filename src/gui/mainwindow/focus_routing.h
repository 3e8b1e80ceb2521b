#pragma once

#include <QObject>
#include <functional>

#include "gui/mainwindow/main_window_controls.h"

namespace picprog {

// Which scroll bar last took the keyboard focus.
enum class FocusedBar { None, Flash, Eeprom };

// Keeps the keyboard focus on the scroll bars, where the mouse wheel turns
// them: a table never keeps the focus (it passes it to its own bar), the
// mouse moving over a table moves the focus to that table's bar, and a
// click on the window's background focuses the FLASH bar.
class FocusRouting : public QObject {
    Q_OBJECT
public:
    enum class Table { Flash, Eeprom };

    // Watches the controls; `controls` must outlive the router.
    explicit FocusRouting(MainWindowControls& controls, QObject* parent = nullptr);

    FocusedBar focused_bar() const { return focused_bar_; }

    // Called after a table handed the focus to its bar; in-place editing
    // uses it to open a pending edit.
    void set_table_focus_hook(std::function<void(Table)> hook) { hook_ = std::move(hook); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void table_focused(Table table);
    void mouse_over(Table table);

    MainWindowControls& controls_;
    FocusedBar focused_bar_ = FocusedBar::None;
    std::function<void(Table)> hook_;
};

}  // namespace picprog
