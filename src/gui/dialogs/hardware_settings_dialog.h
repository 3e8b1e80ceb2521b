#pragma once

#include <QDialog>
#include <array>

#include "core/hardware/line_driver.h"
#include "core/hardware/line_settings.h"
#include "core/settings/settings_store.h"
#include "gui/dialogs/line_table.h"
#include "gui/dialogs/prompter.h"

class QCheckBox;
class QPushButton;

namespace picprog {

class OptionLabel;

// "Hardware Settings": which LPT pin carries each line and whether the
// circuit inverts it. Edits `lines` in place and stores every change at
// once; there is nothing to apply or undo. All lines are driven off when
// the dialog opens, after every change and when it closes (by Close, Esc
// or the window frame), so a changed polarity or pin takes effect at once.
class HardwareSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // All references must outlive the dialog.
    HardwareSettingsDialog(QWidget* parent, LineSettings& lines, LineDriver& driver,
                           SettingsStore& settings, Prompter& prompter);

    // "Invert ... line" check box and "Change Pin" label of line `row`
    // (VDD, VPP, CLOCK, DATA OUT, DATA IN).
    QCheckBox* invert_check(int row) const { return checks_.at(static_cast<size_t>(row)); }
    OptionLabel* change_pin_label(int row) const { return pins_.at(static_cast<size_t>(row)); }
    QPushButton* close_button() const { return close_button_; }

    // Asks for a new pin of line `row` and takes it when it is allowed.
    void change_pin(int row);

public slots:
    void done(int result) override;

private:
    void set_captions();
    void invert_clicked(int row, bool ticked);

    LineSettings& lines_;
    LineDriver& driver_;
    SettingsStore& settings_;
    Prompter& prompter_;
    std::array<QCheckBox*, kLineCount> checks_{};
    std::array<OptionLabel*, kLineCount> pins_{};
    QPushButton* close_button_ = nullptr;
    bool closed_ = false;
};

// True when `answer` names a pin allowed for line `row`: exactly "1" to "9",
// "14", "16" or "17" for the four outputs, "10" to "13" or "15" for DATA IN.
// The text is compared as entered: " 5", "05" and "5.0" are not allowed.
bool pin_answer_allowed(int row, std::string_view answer);

}  // namespace picprog
