#include "gui/mainwindow/cell_edit_box.h"

#include <QFontMetricsF>
#include <QPainter>

namespace picprog {
namespace {

// The caret spans the text's height less this much at each end.
constexpr int kCaretInsetPx = 1;

}  // namespace

CellEditBox::CellEditBox(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setTextMargins(0, 0, 0, 0);
    setContentsMargins(0, 0, 0, 0);
}

void CellEditBox::set_text_origin(QPointF origin) {
    origin_ = origin;
    update();
}

void CellEditBox::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter painter(this);
    painter.fillRect(rect(), kEditBoxBack);
    painter.setPen(kEditBoxFrame);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    painter.setFont(font());
    const QFontMetricsF metrics(font());
    const QString shown = text();
    const auto x_at = [&](int position) {
        return origin_.x() + metrics.horizontalAdvance(shown.left(position));
    };
    const double top = origin_.y() - metrics.ascent();
    if (hasSelectedText()) {
        const int start = selectionStart();
        const int end = start + static_cast<int>(selectedText().size());
        painter.fillRect(QRectF(x_at(start), top, x_at(end) - x_at(start), metrics.height()),
                         palette().color(QPalette::Highlight));
    }
    painter.setPen(kEditBoxText);
    painter.drawText(origin_, shown);
    if (hasFocus() && !hasSelectedText()) {
        const double x = x_at(cursorPosition());
        painter.drawLine(QPointF(x, top + kCaretInsetPx),
                         QPointF(x, top + metrics.height() - kCaretInsetPx));
    }
}

}  // namespace picprog
