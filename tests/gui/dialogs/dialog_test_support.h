#pragma once

#include <memory>

#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QDialog>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <ostream>

#include "gui/dialogs/color_theme.h"

// Lets failing expectations show texts readably.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace picprog::testing {

// Opens `dialog` without blocking and waits until it is the active window, so
// key events reach its focus widget as they would for a user.
inline bool open_and_activate(QDialog& dialog) {
    dialog.open();
    dialog.activateWindow();
    return QTest::qWaitForWindowActive(&dialog);
}

// The colour `widget` paints at its right end, half way down: past any
// caption text, so it is the widget's own back colour as the user sees it.
inline QColor painted_back(QWidget& widget) {
    const QImage picture = widget.grab().toImage();
    return picture.pixelColor(picture.width() - 3, picture.height() / 2);
}

// Runs `act` on the modal dialog once the blocking call that opens it has
// entered its event loop; `act` must close the dialog.
// The modal window may need a few turns of the event loop to show up (more
// under the sanitizers), so the check is repeated until it is there; after
// about five seconds the test fails and every visible dialog is closed, so
// the blocking call under test always returns.
inline void check_for_modal(std::shared_ptr<std::function<void(QWidget&)>> act, int attempts) {
    constexpr int kMaxAttempts = 500;
    constexpr int kRetryMs = 10;
    QTimer::singleShot(attempts == 0 ? 0 : kRetryMs, [act, attempts] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr) {
            (*act)(*modal);
            return;
        }
        if (attempts < kMaxAttempts) {
            check_for_modal(act, attempts + 1);
            return;
        }
        ADD_FAILURE() << "no modal window opened";
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible()) {
                dialog->reject();
            }
        }
    });
}

inline void when_modal_opens(std::function<void(QWidget&)> act) {
    check_for_modal(std::make_shared<std::function<void(QWidget&)>>(std::move(act)), 0);
}

// Compares every colour of two themes.
inline bool same_colors(const ColorTheme& a, const ColorTheme& b) {
    return a.window_back == b.window_back && a.caption_back == b.caption_back &&
           a.caption_text == b.caption_text && a.mark_back == b.mark_back &&
           a.mark_text == b.mark_text && a.model_caption_back == b.model_caption_back &&
           a.model_caption_text == b.model_caption_text && a.field_back == b.field_back &&
           a.field_text == b.field_text && a.section_back == b.section_back &&
           a.section_text == b.section_text && a.name_back == b.name_back &&
           a.name_text == b.name_text && a.info_back == b.info_back && a.info_text == b.info_text;
}

}  // namespace picprog::testing
