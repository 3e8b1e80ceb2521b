#include "gui/dialogs/theme_colors.h"

#include <QPalette>
#include <QWidget>

namespace picprog {

void set_window_back(QWidget& widget, const QColor& back) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, back);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void set_label_colors(QWidget& widget, const QColor& back, const QColor& text) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::WindowText, text);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void set_field_colors(QWidget& widget, const QColor& back, const QColor& text) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, back);
    palette.setColor(QPalette::Text, text);
    widget.setPalette(palette);
}

}  // namespace picprog
