#pragma once

#include <QDialog>
#include <array>

#include "core/hardware/line_driver.h"
#include "core/hardware/line_settings.h"
#include "gui/dialogs/line_table.h"

class QCheckBox;
class QPushButton;
class QTimer;

namespace picprog {

// "Check Hardware": switches VDD, VPP, CLOCK and DATA OUT one by one for a
// meter or a scope, and shows the level read on DATA IN, polled every
// kPollIntervalMs while the dialog exists. A ticked box is the logical on
// or high level at the chip, whatever the line's inversion. All lines are
// switched off when the dialog opens and when it closes (by Close, Esc or
// the window frame). It changes no setting.
class CheckHardwareDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPollIntervalMs = 50;

    // `lines` and `driver` must outlive the dialog.
    CheckHardwareDialog(QWidget* parent, const LineSettings& lines, LineDriver& driver);

    // "Enable ... line" boxes of VDD, VPP, CLOCK, DATA OUT (rows 0 to 3)
    // and "Status of DATA IN line" (row 4).
    QCheckBox* line_check(int row) const { return checks_.at(static_cast<size_t>(row)); }
    QPushButton* close_button() const { return close_button_; }
    const QTimer& poll_timer() const { return *timer_; }

    // One poll: ticks the DATA IN box when the line reads 1.
    void poll_datain();

public slots:
    void done(int result) override;

private:
    void output_clicked(int row, bool ticked);
    void status_clicked();

    LineDriver& driver_;
    std::array<QCheckBox*, kLineCount> checks_{};
    QPushButton* close_button_ = nullptr;
    QTimer* timer_ = nullptr;
    bool closed_ = false;
};

}  // namespace picprog
