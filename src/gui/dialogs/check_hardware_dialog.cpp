#include "gui/dialogs/check_hardware_dialog.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

#include "gui/dialogs/hardware_dialog_style.h"

namespace picprog {
namespace {

// Design layout, in twips.
constexpr int kClientWidth = 2655;
constexpr int kClientHeight = 2535;
constexpr int kCloseLeft = 1860;
constexpr int kCloseTop = 2160;

constexpr std::array<std::string_view, kLineCount> kCaptionPrefixes = {
    "Enable VDD line (", "Enable VPP line (", "Enable CLOCK line (", "Enable DATA OUT line (",
    "Status of DATA IN line ("};

}  // namespace

CheckHardwareDialog::CheckHardwareDialog(QWidget* parent, const LineSettings& lines,
                                         LineDriver& driver)
    : QDialog(parent), driver_(driver) {
    style_hardware_dialog(*this, QStringLiteral("Check Hardware"), kClientWidth, kClientHeight);
    driver_.all_lines_off();
    for (int row = 0; row < kLineCount; ++row) {
        QCheckBox* check = make_line_check(*this, row);
        check->setText(line_caption(kCaptionPrefixes[static_cast<size_t>(row)],
                                    lines.*kLines[static_cast<size_t>(row)].pin));
        if (row == kDataInLine) {
            connect(check, &QCheckBox::clicked, this, &CheckHardwareDialog::status_clicked);
        } else {
            connect(check, &QCheckBox::clicked, this,
                    [this, row](bool ticked) { output_clicked(row, ticked); });
        }
        checks_[static_cast<size_t>(row)] = check;
    }
    close_button_ = make_close_button(*this, kCloseLeft, kCloseTop);
    connect(close_button_, &QPushButton::clicked, this, &QDialog::accept);

    timer_ = new QTimer(this);
    timer_->setInterval(kPollIntervalMs);
    connect(timer_, &QTimer::timeout, this, &CheckHardwareDialog::poll_datain);
    timer_->start();
}

void CheckHardwareDialog::output_clicked(int row, bool ticked) {
    using Operation = void (LineDriver::*)();
    static constexpr std::array<Operation, kDataInLine> kOn = {
        &LineDriver::vdd_on, &LineDriver::vpp_on, &LineDriver::clock_high,
        &LineDriver::dataout_high};
    static constexpr std::array<Operation, kDataInLine> kOff = {
        &LineDriver::vdd_off, &LineDriver::vpp_off, &LineDriver::clock_low,
        &LineDriver::dataout_low};
    const auto index = static_cast<size_t>(row);
    (driver_.*(ticked ? kOn[index] : kOff[index]))();
}

void CheckHardwareDialog::poll_datain() {
    checks_[kDataInLine]->setChecked(driver_.read_datain() == 1);
}

void CheckHardwareDialog::status_clicked() {
    // The box only shows the line: whatever the click did, it shows the
    // level read now.
    poll_datain();
    close_button_->setFocus(Qt::OtherFocusReason);
}

void CheckHardwareDialog::done(int result) {
    if (!closed_) {
        closed_ = true;
        timer_->stop();
        driver_.all_lines_off();
    }
    QDialog::done(result);
}

}  // namespace picprog
