#include "gui/dialogs/message_box.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextOption>
#include <cmath>
#include <memory>

#include "gui/dialogs/dialog_metrics.h"
#include "gui/dialogs/message_box_icons.h"
#include "gui/dialogs/theme_colors.h"
#include "gui/dialogs/wrap_long_words.h"

namespace picprog {
namespace {

// Design layout, in twips.
constexpr int kClientWidth = 6615;
constexpr int kClientHeight = 915;
constexpr QRect kIconRect(60, 60, 720, 720);
constexpr QRect kTextRect(900, 120, 5655, 315);
constexpr QRect kFirstButtonRect(5700, 540, 855, 315);
constexpr QRect kSecondButtonRect(4800, 540, 855, 315);
// Room added under the measured text, and the gap from text to buttons.
constexpr int kTextExtraHeight = 60;
constexpr int kButtonGap = 105;

constexpr int kAnswerOk = 1;
const char* const kCopyToolTip = "Click to copy to Clipboard...";

QRect to_pixels(const QRect& twip_rect) {
    return {twips(twip_rect.x()), twips(twip_rect.y()), twips(twip_rect.width()),
            twips(twip_rect.height())};
}

MsgIcon icon_for(MsgKind kind) {
    switch (kind) {
        case MsgKind::Ok:
            return MsgIcon::Ok;
        case MsgKind::YesNo:
            return MsgIcon::Question;
        case MsgKind::Error:
            return MsgIcon::Error;
        case MsgKind::Information:
            return MsgIcon::Information;
        case MsgKind::Warning:
            break;  // the kinds without an icon of their own
    }
    return MsgIcon::None;
}

// Closing without a button reads as the cautious answer: No for a
// question, a plain acknowledgement otherwise.
int closing_answer(MsgKind kind) {
    return kind == MsgKind::YesNo ? kAnswerNo : kAnswerOk;
}

bool is_enter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

MessageBoxWindow::MessageBoxWindow(QWidget* parent, const ColorTheme& theme, const QString& text,
                                   MsgKind kind, const QString& title)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      message_(text),
      kind_(kind),
      answer_(closing_answer(kind)) {
    build_controls();
    settheme(theme);
    setWindowTitle(title.isEmpty() ? QString::fromUtf8(kProductTitle.data(),
                                                       static_cast<qsizetype>(kProductTitle.size()))
                                   : title);
    prepare_display();
}

void MessageBoxWindow::build_controls() {
    setFont(dialog_font(kDialogFontPoints));
    const QFont message_font = dialog_font(kMessageFontPoints);

    icon_label_ = new QLabel(this);
    icon_label_->setGeometry(to_pixels(kIconRect));
    icon_label_->hide();

    text_label_ = new QLabel(this);
    text_label_->setFont(message_font);
    text_label_->setWordWrap(true);
    text_label_->setGeometry(to_pixels(kTextRect));
    text_label_->setToolTip(QString::fromLatin1(kCopyToolTip));
    text_label_->installEventFilter(this);

    // The visible copy of the message lies exactly over the label.
    text_field_ = new QTextEdit(this);
    text_field_->setFont(message_font);
    text_field_->setReadOnly(true);
    text_field_->setFrameShape(QFrame::NoFrame);
    text_field_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text_field_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text_field_->setTextInteractionFlags(Qt::NoTextInteraction);
    text_field_->setFocusPolicy(Qt::NoFocus);
    text_field_->setContextMenuPolicy(Qt::NoContextMenu);
    text_field_->document()->setDocumentMargin(0);
    text_field_->viewport()->setCursor(Qt::ArrowCursor);
    text_field_->setToolTip(QString::fromLatin1(kCopyToolTip));
    text_field_->installEventFilter(this);
    text_field_->viewport()->installEventFilter(this);

    first_button_ = new QPushButton(tr("OK"), this);
    first_button_->setGeometry(to_pixels(kFirstButtonRect));
    first_button_->setDefault(true);
    first_button_->installEventFilter(this);
    connect(first_button_, &QPushButton::clicked, this, &MessageBoxWindow::press_first);

    second_button_ = new QPushButton(tr("No"), this);
    second_button_->setGeometry(to_pixels(kSecondButtonRect));
    second_button_->hide();
    second_button_->installEventFilter(this);
    connect(second_button_, &QPushButton::clicked, this, &MessageBoxWindow::press_second);

    setTabOrder(first_button_, second_button_);
    first_button_->setFocus();
}

void MessageBoxWindow::settheme(const ColorTheme& theme) {
    set_window_back(*this, theme.window_back);
    set_label_colors(*text_label_, theme.info_back, theme.info_text);
    set_label_colors(*text_field_, theme.info_back, theme.info_text);
    set_field_colors(*text_field_, theme.info_back, theme.info_text);
}

void MessageBoxWindow::prepare_display() {
    const int bottom_margin = twips(kClientHeight - kFirstButtonRect.y());
    const int right_margin =
        twips(kClientWidth - (kFirstButtonRect.x() + kFirstButtonRect.width()));
    const int first_from_right = twips(kClientWidth - kFirstButtonRect.x());
    const int second_from_right = twips(kClientWidth - kSecondButtonRect.x());

    // A message written on one line reads best centred; one the caller
    // broke into lines keeps its own layout.
    const bool centred = !message_.contains(u'\n');
    const Qt::Alignment alignment = Qt::AlignTop | (centred ? Qt::AlignHCenter : Qt::AlignLeft);
    const QString shown = wrap_long_words(message_);

    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    text_field_->document()->setDefaultTextOption(option);
    text_field_->setPlainText(shown);
    text_label_->setAlignment(alignment);
    text_label_->setText(shown);

    // The text keeps its width and grows in height to show every line.
    QRect text = text_label_->geometry();
    std::unique_ptr<QTextDocument> measure(text_field_->document()->clone());
    measure->setTextWidth(text.width());
    const int text_height = static_cast<int>(std::ceil(measure->size().height()));
    text.setHeight(text_height + twips(kTextExtraHeight));
    text_label_->setGeometry(text);
    text_field_->setGeometry(text);

    const int button_top = text.y() + text.height() + twips(kButtonGap);
    const int width = text.width() + text.x() + right_margin;
    const int height = button_top + bottom_margin;
    first_button_->move(width - first_from_right, button_top);
    second_button_->move(width - second_from_right, button_top);

    icon_ = icon_for(kind_);
    if (icon_ != MsgIcon::None) {
        icon_label_->setPixmap(draw_msg_icon(icon_, devicePixelRatioF()));
        icon_label_->show();
    }
    if (kind_ == MsgKind::YesNo) {
        second_button_->show();
        first_button_->setText(tr("Yes"));
        const int yes_left = second_button_->x();
        second_button_->move(first_button_->x(), button_top);
        first_button_->move(yes_left, button_top);
    }

    setFixedSize(width, height);
    const QScreen* screen =
        parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void MessageBoxWindow::press_first() {
    answer_ = kind_ == MsgKind::YesNo ? kAnswerYes : kAnswerOk;
    accept();
}

void MessageBoxWindow::press_second() {
    answer_ = kAnswerNo;
    accept();
}

void MessageBoxWindow::reject() {
    answer_ = closing_answer(kind_);
    QDialog::reject();
}

void MessageBoxWindow::copy_text_to_clipboard() const {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(wrap_long_words(message_));
}

bool MessageBoxWindow::handle_preview_key(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    switch (key.key()) {
        case Qt::Key_N:
            press_second();
            return true;
        case Qt::Key_Y:
        case Qt::Key_Z:
            press_first();
            return true;
        case Qt::Key_Escape:
            // Esc belongs to the No button; a box without one ignores it.
            if (second_button_->isVisible()) {
                press_second();
            }
            return true;
        default:
            break;
    }
    if (is_enter(key.key())) {
        // Like the platform's own boxes, Enter presses the button that has
        // the focus, which is OK / Yes until the user moves it.
        if (second_button_->isVisible() && second_button_->hasFocus()) {
            press_second();
        } else {
            press_first();
        }
        return true;
    }
    return false;
}

bool MessageBoxWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            if (handle_preview_key(static_cast<const QKeyEvent&>(*event))) {
                return true;
            }
            break;
        case QEvent::MouseButtonPress:
            if (watched == text_label_ || watched == text_field_->viewport()) {
                copy_text_to_clipboard();
                return true;
            }
            break;
        case QEvent::FocusIn:
            if (watched == text_field_) {
                first_button_->setFocus();
            }
            break;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

void MessageBoxWindow::keyPressEvent(QKeyEvent* event) {
    if (handle_preview_key(*event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

int msg_box(QWidget* parent, const ColorTheme& theme, std::string_view text, MsgKind kind,
            std::string_view title) {
    MessageBoxWindow box(parent, theme,
                         QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), kind,
                         QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    box.exec();
    return box.answer();
}

}  // namespace picprog
