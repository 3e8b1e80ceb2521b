#include "gui/dialogs/hardware_settings_dialog.h"

#include <QCheckBox>
#include <QPushButton>
#include <algorithm>
#include <string>

#include "core/memory/decimal_text.h"
#include "gui/dialogs/dialog_metrics.h"
#include "gui/dialogs/hardware_dialog_style.h"
#include "gui/dialogs/option_label.h"
#include "gui/dialogs/theme_colors.h"

namespace picprog {
namespace {

// Design layout, in twips.
constexpr int kClientWidth = 3675;
constexpr int kClientHeight = 2535;
constexpr int kPinLabelLeft = 2640;
constexpr int kPinLabelTop = 120;
constexpr int kPinLabelWidth = 975;
constexpr int kPinLabelHeight = 195;
constexpr int kCloseLeft = 2880;
constexpr int kCloseTop = 2160;

constexpr auto kWrongEntry = "Wrong entry!";

constexpr std::array<std::string_view, 12> kOutputPins = {"1", "2", "3", "4",  "5",  "6",
                                                          "7", "8", "9", "14", "16", "17"};
constexpr std::array<std::string_view, 5> kInputPins = {"10", "11", "12", "13", "15"};

constexpr std::array<std::string_view, kLineCount> kInvertPrefixes = {
    "Invert VDD line (", "Invert VPP line (", "Invert CLOCK line (", "Invert DATA OUT line (",
    "Invert DATA IN line ("};

constexpr std::array<std::string_view, kLineCount> kPinPrompts = {
    "Enter new parallel port pin for VDD line [1-9,14,16,17].",
    "Enter new parallel port pin for VPP line [1-9,14,16,17].",
    "Enter new parallel port pin for CLOCK line [1-9,14,16,17].",
    "Enter new parallel port pin for DATA OUT line [1-9,14,16,17].",
    "Enter new parallel port pin for DATA IN line [10-13,15]."};

}  // namespace

bool pin_answer_allowed(int row, std::string_view answer) {
    if (row == kDataInLine) {
        return std::ranges::find(kInputPins, answer) != kInputPins.end();
    }
    return std::ranges::find(kOutputPins, answer) != kOutputPins.end();
}

HardwareSettingsDialog::HardwareSettingsDialog(QWidget* parent, LineSettings& lines,
                                               LineDriver& driver, SettingsStore& settings,
                                               Prompter& prompter)
    : QDialog(parent), lines_(lines), driver_(driver), settings_(settings), prompter_(prompter) {
    style_hardware_dialog(*this, QStringLiteral("Hardware Settings"), kClientWidth, kClientHeight);
    driver_.all_lines_off();
    for (int row = 0; row < kLineCount; ++row) {
        const LineInfo& line = kLines[static_cast<size_t>(row)];
        QCheckBox* check = make_line_check(*this, row);
        check->setChecked(lines_.*line.inverted != 0);
        connect(check, &QCheckBox::clicked, this,
                [this, row](bool ticked) { invert_clicked(row, ticked); });
        checks_[static_cast<size_t>(row)] = check;

        auto* pin = new OptionLabel(QStringLiteral("Change Pin"), this);
        pin->setGeometry(twips(kPinLabelLeft), twips(kPinLabelTop + kLineRowPitch * row),
                         twips(kPinLabelWidth), twips(kPinLabelHeight));
        pin->setFrameStyle(QFrame::NoFrame);
        set_label_colors(*pin, kChangePinBack, Qt::black);
        connect(pin, &OptionLabel::clicked, this, [this, row] { change_pin(row); });
        pins_[static_cast<size_t>(row)] = pin;
    }
    close_button_ = make_close_button(*this, kCloseLeft, kCloseTop);
    connect(close_button_, &QPushButton::clicked, this, &QDialog::accept);
    set_captions();
}

void HardwareSettingsDialog::set_captions() {
    for (int row = 0; row < kLineCount; ++row) {
        const LineInfo& line = kLines[static_cast<size_t>(row)];
        checks_[static_cast<size_t>(row)]->setText(
            line_caption(kInvertPrefixes[static_cast<size_t>(row)], lines_.*line.pin));
    }
}

void HardwareSettingsDialog::invert_clicked(int row, bool ticked) {
    const LineInfo& line = kLines[static_cast<size_t>(row)];
    lines_.*line.inverted = ticked ? 1 : 0;
    settings_.save_setting(line.invert_setting, ticked ? "1" : "0");
    driver_.all_lines_off();
}

void HardwareSettingsDialog::change_pin(int row) {
    const LineInfo& line = kLines[static_cast<size_t>(row)];
    const std::string answer = prompter_.input_box(kPinPrompts[static_cast<size_t>(row)],
                                                   kProductTitle, std::to_string(lines_.*line.pin));
    if (answer.empty()) {
        return;
    }
    if (!pin_answer_allowed(row, answer)) {
        prompter_.msg_box(kWrongEntry, MsgKind::Error, kProductTitle);
        return;
    }
    lines_.*line.pin = leading_number(answer);
    settings_.save_setting(line.pin_setting, answer);
    set_captions();
    driver_.all_lines_off();
}

void HardwareSettingsDialog::done(int result) {
    if (!closed_) {
        closed_ = true;
        driver_.all_lines_off();
    }
    QDialog::done(result);
}

}  // namespace picprog
