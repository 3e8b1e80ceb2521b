#include "gui/dialogs/hardware_dialog_style.h"

#include <QCheckBox>
#include <QDialog>
#include <QPalette>
#include <QPushButton>
#include <string>

#include "core/hardware/pin_table.h"
#include "gui/dialogs/dialog_metrics.h"
#include "gui/dialogs/theme_colors.h"

namespace picprog {
namespace {

// Layout of a line row and of the Close button, in twips.
constexpr int kCheckLeft = 60;
constexpr int kCheckTop = 60;
constexpr int kCheckWidth = 2535;
constexpr int kCheckHeight = 315;
constexpr int kCloseWidth = 735;
constexpr int kCloseHeight = 315;

}  // namespace

QString line_caption(std::string_view prefix, int32_t pin) {
    std::string caption(prefix);
    caption += pin_name(pin);
    caption += ')';
    return QString::fromStdString(caption);
}

void style_hardware_dialog(QDialog& dialog, const QString& caption, int client_width_twips,
                           int client_height_twips) {
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    dialog.setWindowTitle(caption);
    dialog.setFont(dialog_font(kDialogFontPoints));
    set_window_back(dialog, kHardwareWindowBack);
    dialog.setFixedSize(twips(client_width_twips), twips(client_height_twips));
}

QCheckBox* make_line_check(QDialog& dialog, int row) {
    auto* check = new QCheckBox(&dialog);
    check->setGeometry(twips(kCheckLeft), twips(kCheckTop + kLineRowPitch * row),
                       twips(kCheckWidth), twips(kCheckHeight));
    // A button fills its background from the Button role, not Window.
    QPalette colors = check->palette();
    colors.setColor(check->backgroundRole(), kHardwareCheckBack);
    colors.setColor(QPalette::Window, kHardwareCheckBack);
    check->setPalette(colors);
    check->setAutoFillBackground(true);
    return check;
}

QPushButton* make_close_button(QDialog& dialog, int left_twips, int top_twips) {
    auto* button = new QPushButton(QStringLiteral("Close"), &dialog);
    button->setGeometry(twips(left_twips), twips(top_twips), twips(kCloseWidth),
                        twips(kCloseHeight));
    return button;
}

}  // namespace picprog
