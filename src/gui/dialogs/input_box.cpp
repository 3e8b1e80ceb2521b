#include "gui/dialogs/input_box.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "core/engine/operation_view.h"
#include "gui/dialogs/dialog_metrics.h"
#include "gui/dialogs/theme_colors.h"

namespace picprog {
namespace {

// Design layout, in twips.
constexpr int kClientWidth = 4695;
constexpr int kClientHeight = 1335;
constexpr QRect kPromptRect(120, 120, 4455, 315);
constexpr QRect kInputRect(180, 540, 4335, 315);
constexpr QRect kOkRect(3660, 960, 855, 315);
constexpr QRect kCancelRect(2760, 960, 855, 315);
// Room added under the measured prompt; distances from the prompt's bottom
// to the entry field and to the buttons.
constexpr int kPromptExtraHeight = 60;
constexpr int kInputGap = 105;
constexpr int kButtonGap = 525;

QRect to_pixels(const QRect& twip_rect) {
    return {twips(twip_rect.x()), twips(twip_rect.y()), twips(twip_rect.width()),
            twips(twip_rect.height())};
}

}  // namespace

InputBoxWindow::InputBoxWindow(QWidget* parent, const ColorTheme& theme, const QString& prompt,
                               const QString& title, const QString& default_text)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    build_controls();
    settheme(theme);
    prompt_label_->setText(prompt);
    setWindowTitle(title.isEmpty() ? QString::fromUtf8(kProductTitle.data(),
                                                       static_cast<qsizetype>(kProductTitle.size()))
                                   : title);
    prepare_display(default_text);
}

void InputBoxWindow::build_controls() {
    setFont(dialog_font(kDialogFontPoints));
    const QFont prompt_font = dialog_font(kMessageFontPoints);

    prompt_label_ = new QLabel(this);
    prompt_label_->setFont(prompt_font);
    prompt_label_->setWordWrap(true);
    prompt_label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    prompt_label_->setGeometry(to_pixels(kPromptRect));

    input_field_ = new QLineEdit(this);
    input_field_->setFont(prompt_font);
    input_field_->setGeometry(to_pixels(kInputRect));

    ok_button_ = new QPushButton(tr("OK"), this);
    ok_button_->setGeometry(to_pixels(kOkRect));
    ok_button_->setDefault(true);
    connect(ok_button_, &QPushButton::clicked, this, [this] {
        answer_ = input_field_->text();
        accept();
    });

    cancel_button_ = new QPushButton(tr("Cancel"), this);
    cancel_button_->setGeometry(to_pixels(kCancelRect));
    connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(input_field_, cancel_button_);
    setTabOrder(cancel_button_, ok_button_);
    input_field_->setFocus();
}

void InputBoxWindow::settheme(const ColorTheme& theme) {
    set_window_back(*this, theme.caption_back);
    set_label_colors(*prompt_label_, theme.info_back, theme.info_text);
    set_field_colors(*input_field_, theme.field_back, theme.field_text);
}

void InputBoxWindow::prepare_display(const QString& default_text) {
    const int bottom_margin = twips(kClientHeight - kOkRect.y());

    QRect prompt = prompt_label_->geometry();
    prompt.setHeight(prompt_label_->heightForWidth(prompt.width()) + twips(kPromptExtraHeight));
    prompt_label_->setGeometry(prompt);

    const int prompt_bottom = prompt.y() + prompt.height();
    input_field_->move(input_field_->x(), prompt_bottom + twips(kInputGap));
    const int button_top = prompt_bottom + twips(kButtonGap);
    ok_button_->move(ok_button_->x(), button_top);
    cancel_button_->move(cancel_button_->x(), button_top);

    // Typing replaces the default rather than adding to it.
    input_field_->setText(default_text);
    input_field_->selectAll();

    setFixedSize(twips(kClientWidth), button_top + bottom_margin);
    const QScreen* screen =
        parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

QString input_box(QWidget* parent, const ColorTheme& theme, std::string_view prompt,
                  std::string_view title, std::string_view default_text) {
    const auto from = [](std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    };
    InputBoxWindow box(parent, theme, from(prompt), from(title), from(default_text));
    box.exec();
    return box.answer();
}

}  // namespace picprog
