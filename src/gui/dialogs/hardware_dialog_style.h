#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <string_view>

class QCheckBox;
class QDialog;
class QPushButton;

namespace picprog {

// The two hardware dialogs are not themed: they keep these fixed colours.
inline constexpr QColor kHardwareWindowBack{0xC0, 0xC0, 0xC0};
inline constexpr QColor kHardwareCheckBack{0xE0, 0xE0, 0xE0};
inline constexpr QColor kChangePinBack{0xC0, 0xFF, 0xC0};

// Both dialogs list the lines in rows of this pitch, in twips, from the top.
inline constexpr int kLineRowPitch = 420;

// `prefix` followed by the name of `pin` and ")": "Invert VDD line (D2)".
QString line_caption(std::string_view prefix, int32_t pin);

// Sets up the fixed window: caption, font, colours, client area in twips,
// no resizing.
void style_hardware_dialog(QDialog& dialog, const QString& caption, int client_width_twips,
                           int client_height_twips);

// The check box of line row `row` (0 to 4), in the fixed colours.
QCheckBox* make_line_check(QDialog& dialog, int row);

// The "Close" button at (left, top) in twips.
QPushButton* make_close_button(QDialog& dialog, int left_twips, int top_twips);

}  // namespace picprog
