#include "gui/mainwindow/file_chooser.h"

#include <QDir>
#include <QFileDialog>

namespace picprog {
namespace {

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string native(const QString& path) {
    return path.isEmpty() ? std::string() : QDir::toNativeSeparators(path).toStdString();
}

}  // namespace

std::string DialogFileChooser::open_file(QWidget* parent, std::string_view folder) {
    return native(
        QFileDialog::getOpenFileName(parent, q(kOpenHexTitle), q(folder), q(kHexFileFilter)));
}

std::string DialogFileChooser::save_file(QWidget* parent, std::string_view folder) {
    return native(QFileDialog::getSaveFileName(parent, q(kSaveHexTitle), q(folder),
                                               q(kHexFileFilter), nullptr,
                                               QFileDialog::DontConfirmOverwrite));
}

std::string DialogFileChooser::trace_file(QWidget* parent, std::string_view folder) {
    return native(
        QFileDialog::getSaveFileName(parent, q(kTraceTitle), q(folder), q(kTraceFileFilter)));
}

}  // namespace picprog
