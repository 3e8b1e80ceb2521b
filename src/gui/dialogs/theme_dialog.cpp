#include "gui/dialogs/theme_dialog.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "gui/dialogs/dialog_metrics.h"
#include "gui/dialogs/option_label.h"
#include "gui/dialogs/theme_colors.h"

namespace picprog {
namespace {

// Design layout, in twips.
constexpr int kClientWidth = 4575;
constexpr int kClientHeight = 7515;
constexpr int kOptionWidth = 2115;
constexpr int kOptionHeight = 255;
constexpr int kLeftColumn = 120;
constexpr int kRightColumn = 2340;
constexpr int kFirstRowTop = 120;
constexpr int kRowPitch = 300;
constexpr int kButtonTop = 7080;
constexpr int kButtonWidth = 1035;
constexpr int kButtonHeight = 375;
constexpr int kSelectLeft = 3420;
constexpr int kCancelLeft = 2340;

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

ThemeDialog::ThemeDialog(QWidget* parent, ThemeState& state, SettingsStore& settings,
                         std::function<void()> recolour_main, EventPump pump)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      state_(state),
      settings_(settings),
      recolour_main_(std::move(recolour_main)),
      pump_(std::move(pump)) {
    setWindowTitle(QStringLiteral("Change Color Theme"));
    setFont(dialog_font(kDialogFontPoints));
    setFixedSize(twips(kClientWidth), twips(kClientHeight));

    const auto& themes = theme_table();
    options_.reserve(themes.size());
    for (size_t i = 0; i < themes.size(); ++i) {
        auto* label = new OptionLabel(text(themes[i].name), this);
        const int row = static_cast<int>(i / 2);
        label->setGeometry(twips(i % 2 == 0 ? kLeftColumn : kRightColumn),
                           twips(kFirstRowTop + kRowPitch * row), twips(kOptionWidth),
                           twips(kOptionHeight));
        connect(label, &OptionLabel::clicked, this, [this, i] { click(i); });
        options_.push_back(label);
    }

    select_button_ = new QPushButton(QStringLiteral("Select"), this);
    select_button_->setGeometry(twips(kSelectLeft), twips(kButtonTop), twips(kButtonWidth),
                                twips(kButtonHeight));
    select_button_->setDefault(true);
    connect(select_button_, &QPushButton::clicked, this, &ThemeDialog::accept);
    cancel_button_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_button_->setGeometry(twips(kCancelLeft), twips(kButtonTop), twips(kButtonWidth),
                                twips(kButtonHeight));
    cancel_button_->setAutoDefault(false);
    connect(cancel_button_, &QPushButton::clicked, this, &ThemeDialog::reject);

    settheme();
    name_at_open_ = state_.current_theme_name;
    mark_current_theme();

    if (const QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void ThemeDialog::settheme() {
    set_window_back(*this, state_.theme.window_back);
}

void ThemeDialog::mark_current_theme() {
    const ColorTheme& theme = state_.theme;
    for (OptionLabel* option : options_) {
        if (option->text() == text(state_.current_theme_name)) {
            set_label_colors(*option, theme.mark_back, theme.mark_text);
        } else {
            set_label_colors(*option, theme.field_back, theme.field_text);
        }
    }
}

void ThemeDialog::click(size_t i) {
    state_.current_theme_name = std::string(theme_table()[i].name);
    settings_.save_setting(setting::kColorTheme, state_.current_theme_name);
    load_theme(state_, settings_);
    settheme();
    mark_current_theme();
    if (recolour_main_) {
        recolour_main_();
    }
}

void ThemeDialog::finish(const std::string& name) {
    hide();
    if (pump_) {
        pump_();
    }
    settings_.save_setting(setting::kColorTheme, name);
    load_theme(state_, settings_);
    if (recolour_main_) {
        recolour_main_();
    }
}

void ThemeDialog::accept() {
    finish(state_.current_theme_name);
    QDialog::accept();
}

void ThemeDialog::reject() {
    state_.current_theme_name = name_at_open_;
    finish(name_at_open_);
    QDialog::reject();
}

void show_theme_dialog(QWidget* parent, ThemeState& state, SettingsStore& settings,
                       std::function<void()> recolour_main, EventPump pump) {
    ThemeDialog dialog(parent, state, settings, std::move(recolour_main), std::move(pump));
    dialog.exec();
}

}  // namespace picprog
