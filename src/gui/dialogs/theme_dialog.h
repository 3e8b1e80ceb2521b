#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "core/hardware/event_pump.h"
#include "core/settings/settings_store.h"
#include "gui/dialogs/color_theme.h"

class QPushButton;

namespace picprog {

class OptionLabel;

// "Change Color Theme": every built-in theme by name in two columns, the
// current one in the mark colours. A click makes the theme current at once:
// stored, loaded and shown on this dialog and on the main window. Select
// (Enter) keeps the current theme; Cancel (Esc, or the window frame) goes
// back to the theme that was current when the dialog opened and stores it.
class ThemeDialog : public QDialog {
    Q_OBJECT
public:
    // `recolour_main` copies the theme onto the main window; `pump` lets
    // pending window events run once the dialog is hidden (either may be
    // empty). The references must outlive the dialog.
    ThemeDialog(QWidget* parent, ThemeState& state, SettingsStore& settings,
                std::function<void()> recolour_main, EventPump pump = {});

    const std::string& name_at_open() const { return name_at_open_; }

    // Option `i` (0 to 45) in the order of theme_table().
    OptionLabel* option(size_t i) const { return options_.at(i); }
    size_t option_count() const { return options_.size(); }
    QPushButton* select_button() const { return select_button_; }
    QPushButton* cancel_button() const { return cancel_button_; }

    // The dialog's window background from the current theme.
    void settheme();
    // Mark colours for the option named as the current theme, field colours
    // for every other.
    void mark_current_theme();

public slots:
    void accept() override;
    void reject() override;

private:
    void click(size_t i);
    // Hides the dialog, stores `name` as the theme and shows it on the main
    // window: what Select and Cancel both finish with.
    void finish(const std::string& name);

    ThemeState& state_;
    SettingsStore& settings_;
    std::function<void()> recolour_main_;
    EventPump pump_;
    std::string name_at_open_;
    std::vector<OptionLabel*> options_;
    QPushButton* select_button_ = nullptr;
    QPushButton* cancel_button_ = nullptr;
};

// Shows the dialog modally over `parent`.
void show_theme_dialog(QWidget* parent, ThemeState& state, SettingsStore& settings,
                       std::function<void()> recolour_main, EventPump pump);

}  // namespace picprog
