#pragma once

#include <QColor>

class QWidget;

namespace picprog {

// Fills `widget`'s background with `back` (as a window or label is filled).
void set_window_back(QWidget& widget, const QColor& back);
// Colours a label-like widget: background `back`, text `text`.
void set_label_colors(QWidget& widget, const QColor& back, const QColor& text);
// Colours an entry or text field: its base `back`, typed text `text`.
void set_field_colors(QWidget& widget, const QColor& back, const QColor& text);

}  // namespace picprog
