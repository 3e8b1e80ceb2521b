#pragma once

#include <QRect>
#include <QString>
#include <functional>

class QWidget;

namespace picprog::doc {

// Runs `act` on the next modal window once the blocking call that opens it
// has entered its event loop; `act` must close that window. Call it just
// before the command that opens the window. Returns at once.
void when_modal_opens(std::function<void(QWidget&)> act);

// Lets pending layout and paint events run, then saves a picture of
// `widget` (without a window frame) as a PNG file. False when it could not
// be written or the picture is empty.
bool save_picture(QWidget& widget, const QString& path);

// The same for the part `area` of `widget`, in the widget's pixels.
bool save_picture(QWidget& widget, const QRect& area, const QString& path);

}  // namespace picprog::doc
