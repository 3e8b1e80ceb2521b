#include "modal_capture.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <memory>

namespace picprog::doc {
namespace {

// A modal window may need a few turns of the event loop to appear.
constexpr int kRetryMs = 10;
constexpr int kMaxAttempts = 500;

void look_for_modal(std::shared_ptr<std::function<void(QWidget&)>> act, int attempts) {
    QTimer::singleShot(attempts == 0 ? 0 : kRetryMs, [act, attempts] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr) {
            (*act)(*modal);
            return;
        }
        if (attempts < kMaxAttempts) {
            look_for_modal(act, attempts + 1);
            return;
        }
        std::fprintf(stderr, "doc-screenshots: no modal window opened\n");
        // Close whatever is open, so that the blocking call returns.
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible()) {
                dialog->reject();
            }
        }
    });
}

bool save_image(const QPixmap& picture, const QString& path) {
    if (picture.isNull()) {
        return false;
    }
    // Screenshots hold few colours: an indexed PNG is a fraction of the size.
    const QImage image = picture.toImage().convertToFormat(QImage::Format_Indexed8,
                                                           Qt::ThresholdDither | Qt::AvoidDither);
    return image.save(path, "PNG");
}

void settle() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
    }
}

}  // namespace

void when_modal_opens(std::function<void(QWidget&)> act) {
    look_for_modal(std::make_shared<std::function<void(QWidget&)>>(std::move(act)), 0);
}

bool save_picture(QWidget& widget, const QString& path) {
    settle();
    return save_image(widget.grab(), path);
}

bool save_picture(QWidget& widget, const QRect& area, const QString& path) {
    settle();
    return save_image(widget.grab(area), path);
}

}  // namespace picprog::doc
