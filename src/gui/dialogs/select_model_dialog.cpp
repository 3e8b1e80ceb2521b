#include "gui/dialogs/select_model_dialog.h"

#include <QPushButton>
#include <algorithm>
#include <string>

#include "gui/dialogs/dialog_metrics.h"
#include "gui/dialogs/option_label.h"
#include "gui/dialogs/theme_colors.h"

namespace picprog {
namespace {

// Design layout, in twips.
constexpr int kClientWidth = 4575;
constexpr int kClientHeight = 9075;
constexpr int kOptionWidth = 2115;
constexpr int kOptionHeight = 255;
constexpr int kLeftColumn = 120;
constexpr int kRightColumn = 2340;
constexpr int kFirstRowTop = 120;
constexpr int kRowPitch = 240;
constexpr int kButtonWidth = 1035;
constexpr int kButtonHeight = 375;
constexpr int kDesignButtonTop = 8640;
constexpr int kCancelLeft = 1200;
constexpr int kSelectLeft = 2340;
// The buttons stand this far below the top of the last model's label.
constexpr int kButtonsBelowLastOption = 360;
// The design holds 70 models in two columns of 35 rows. A larger database
// gets one more column per 35 models, so every model keeps its own label in
// file order, read row by row as in the design.
constexpr int32_t kDesignColumns = 2;
constexpr int32_t kRowsPerColumn = 35;
constexpr int32_t kDesignModels = kDesignColumns * kRowsPerColumn;
constexpr int kColumnPitch = kRightColumn - kLeftColumn;

int32_t column_count(int32_t models) {
    return std::max(kDesignColumns, (models + kRowsPerColumn - 1) / kRowsPerColumn);
}

// Width added to the design for the columns beyond the second.
int extra_width(int32_t columns) {
    return kColumnPitch * (columns - kDesignColumns);
}

int option_left(int32_t number, int32_t columns) {
    return kLeftColumn + kColumnPitch * ((number - 1) % columns);
}

int option_top(int32_t number, int32_t columns) {
    return kFirstRowTop + kRowPitch * ((number - 1) / columns);
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

SelectModelDialog::SelectModelDialog(QWidget* parent, CurrentModel& current,
                                     const DeviceDatabase& database, SettingsStore& settings,
                                     const ColorTheme& theme, EventPump pump)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      current_(current),
      database_(database),
      settings_(settings),
      theme_(theme),
      pump_(std::move(pump)) {
    setWindowTitle(QStringLiteral("Select Microcontroller"));
    setFont(dialog_font(kDialogFontPoints));
    build_controls();
    place_buttons();
    settheme(theme_);
    highlight();
    index_at_open_ = current_.index;
}

void SelectModelDialog::build_controls() {
    const int32_t count = std::min(database_.model_count(), kMaxModels);
    columns_ = column_count(count);
    // The design's 70 labels exist even for a smaller database (hidden).
    options_.resize(static_cast<size_t>(std::max(count, kDesignModels)));
    for (int32_t number = 1; number <= static_cast<int32_t>(options_.size()); ++number) {
        auto* label = new OptionLabel(QString(), this);
        label->setGeometry(twips(option_left(number, columns_)),
                           twips(option_top(number, columns_)), twips(kOptionWidth),
                           twips(kOptionHeight));
        if (const DeviceModel* model = database_.model(number); model != nullptr) {
            label->setText(text(model->name));
            label->setToolTip(text("FLASH: " + model->flash + ", EEPROM: " + model->eeprom));
        }
        label->setVisible(number <= count);
        connect(label, &OptionLabel::clicked, this, [this, number] { click(number); });
        connect(label, &OptionLabel::double_clicked, this, [this, number] {
            click(number);
            select();
        });
        options_[static_cast<size_t>(number - 1)] = label;
    }

    cancel_button_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_button_->setAutoDefault(false);
    connect(cancel_button_, &QPushButton::clicked, this, &SelectModelDialog::reject);
    select_button_ = new QPushButton(QStringLiteral("Select"), this);
    select_button_->setAutoDefault(false);
    connect(select_button_, &QPushButton::clicked, this, &SelectModelDialog::select);
}

void SelectModelDialog::place_buttons() {
    const int button_gap = kClientHeight - kDesignButtonTop;
    const int32_t count = std::min(database_.model_count(), kMaxModels);
    const int top =
        count >= 1 ? option_top(count, columns_) + kButtonsBelowLastOption : kDesignButtonTop;
    // The buttons stay centred under the wider grid.
    const int shift = extra_width(columns_) / 2;
    cancel_button_->setGeometry(twips(kCancelLeft + shift), twips(top), twips(kButtonWidth),
                                twips(kButtonHeight));
    select_button_->setGeometry(twips(kSelectLeft + shift), twips(top), twips(kButtonWidth),
                                twips(kButtonHeight));
    setFixedSize(twips(kClientWidth + extra_width(columns_)), twips(top + button_gap));
}

OptionLabel* SelectModelDialog::option(int32_t number) const {
    if (number < 1 || number > static_cast<int32_t>(options_.size())) {
        return nullptr;
    }
    return options_[static_cast<size_t>(number - 1)];
}

void SelectModelDialog::settheme(const ColorTheme& theme) {
    set_window_back(*this, theme.window_back);
}

void SelectModelDialog::highlight() {
    const int32_t count = std::min(database_.model_count(), kMaxModels);
    for (int32_t number = 1; number <= count; ++number) {
        OptionLabel& label = *options_[static_cast<size_t>(number - 1)];
        if (number == current_.index) {
            set_label_colors(label, theme_.mark_back, theme_.mark_text);
        } else {
            set_label_colors(label, theme_.field_back, theme_.field_text);
        }
    }
}

void SelectModelDialog::click(int32_t number) {
    current_.index = number;
    highlight();
}

void SelectModelDialog::select() {
    hide();
    if (pump_) {
        pump_();
    }
    if (current_.index != index_at_open_) {
        settings_.save_setting(setting::kMicrocontrollerModel, std::to_string(current_.index));
        select_model(current_, database_);
    }
    QDialog::accept();
}

void SelectModelDialog::reject() {
    current_.index = index_at_open_;
    QDialog::reject();
}

void show_select_model_dialog(QWidget* parent, CurrentModel& current,
                              const DeviceDatabase& database, SettingsStore& settings,
                              const ColorTheme& theme, EventPump pump) {
    SelectModelDialog dialog(parent, current, database, settings, theme, std::move(pump));
    dialog.exec();
}

}  // namespace picprog
