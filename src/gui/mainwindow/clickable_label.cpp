#include "gui/mainwindow/clickable_label.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace picprog {

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setTextFormat(Qt::PlainText);
}

bool ClickableLabel::text_fits() const {
    return fits(text());
}

bool ClickableLabel::fits(const QString& text) const {
    const int room = contentsRect().width();
    const QFontMetrics& metrics = fontMetrics();
    // Measuring a text shapes it; a text that fits even at the widest
    // character needs no measuring.
    if (static_cast<qsizetype>(metrics.maxWidth()) * text.size() <= room) {
        return true;
    }
    return metrics.horizontalAdvance(text) <= room;
}

void ClickableLabel::set_short_text(const QString& text) {
    if (text != short_text_) {
        short_text_ = text;
        update();
    }
}

void ClickableLabel::paintEvent(QPaintEvent* event) {
    if (text_fits()) {
        QLabel::paintEvent(event);
        return;
    }
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect room = contentsRect();
    const QString shown = !short_text_.isEmpty() && fits(short_text_)
                              ? short_text_
                              : fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
    style()->drawItemText(&painter, room, static_cast<int>(alignment()), palette(), isEnabled(),
                          shown, foregroundRole());
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    // Taken here so that a click on a caption never counts as a click on
    // the window's background.
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click) {
        emit clicked();
    }
}

}  // namespace picprog
