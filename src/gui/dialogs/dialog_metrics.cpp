#include "gui/dialogs/dialog_metrics.h"

#include <QFontDatabase>

namespace picprog {

QFont dialog_font(double points) {
    QFont font = QFontDatabase::hasFamily(QString::fromLatin1(kDialogFontFamily))
                     ? QFont(QString::fromLatin1(kDialogFontFamily))
                     : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(points);
    return font;
}

}  // namespace picprog
