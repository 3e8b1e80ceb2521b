#pragma once

#include <QDialog>
#include <cstdint>
#include <vector>

#include "core/devices/current_model.h"
#include "core/devices/device_model.h"
#include "core/hardware/event_pump.h"
#include "core/settings/settings_store.h"
#include "gui/dialogs/color_theme.h"

class QPushButton;

namespace picprog {

class OptionLabel;

// "Select Microcontroller": one clickable label per model of the database
// in two columns (one more per 35 models beyond 70), the current model in the theme's mark colours.
// While it is open, current.index is the selection: a click moves it, Cancel (also Esc and the
// window frame) puts back the index it had at opening, Select (or a double-click) stores
// "Microcontroller Model" and makes the model current, unless it is the one that was current
// already. The caller clears the buffer after the dialog has closed, whichever way.
class SelectModelDialog : public QDialog {
    Q_OBJECT
public:
    // `pump` lets pending window events run once the dialog is hidden (may
    // be empty). All references must outlive the dialog.
    SelectModelDialog(QWidget* parent, CurrentModel& current, const DeviceDatabase& database,
                      SettingsStore& settings, const ColorTheme& theme, EventPump pump = {});

    int32_t index_at_open() const { return index_at_open_; }

    // Label of model `number` (1 to the larger of 70 and the model count),
    // hidden beyond the count; nullptr outside that range.
    OptionLabel* option(int32_t number) const;
    QPushButton* select_button() const { return select_button_; }
    QPushButton* cancel_button() const { return cancel_button_; }

    // The window background from `theme` (the options take their colours
    // from highlight()).
    void settheme(const ColorTheme& theme);

public slots:
    void reject() override;

private:
    void build_controls();
    void place_buttons();
    void highlight();
    void click(int32_t number);
    void select();

    CurrentModel& current_;
    const DeviceDatabase& database_;
    SettingsStore& settings_;
    const ColorTheme& theme_;
    EventPump pump_;
    int32_t index_at_open_ = 0;
    int32_t columns_ = 2;
    std::vector<OptionLabel*> options_;
    QPushButton* select_button_ = nullptr;
    QPushButton* cancel_button_ = nullptr;
};

// Shows the dialog modally over `parent`.
void show_select_model_dialog(QWidget* parent, CurrentModel& current,
                              const DeviceDatabase& database, SettingsStore& settings,
                              const ColorTheme& theme, EventPump pump);

}  // namespace picprog
