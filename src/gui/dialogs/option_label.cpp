#include "gui/dialogs/option_label.h"

#include <QMouseEvent>

namespace picprog {

OptionLabel::OptionLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
}

void OptionLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void OptionLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool was_pressed = pressed_;
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (was_pressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void OptionLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    // The release that follows a double-click is not a new click.
    pressed_ = false;
    if (event->button() == Qt::LeftButton) {
        emit double_clicked();
        return;
    }
    QLabel::mouseDoubleClickEvent(event);
}

}  // namespace picprog
