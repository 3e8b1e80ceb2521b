#pragma once

#include <QFont>

namespace picprog {

// Window layouts are drawn up in twips; this many make one logical pixel.
inline constexpr int kTwipsPerPixel = 15;

// `value` twips in logical pixels (layouts use whole multiples of 15).
constexpr int twips(int value) {
    return value / kTwipsPerPixel;
}

// The family the boxes are laid out for.
inline constexpr const char* kDialogFontFamily = "Microsoft Sans Serif";
// Point sizes of the window text (buttons) and of the message or prompt.
inline constexpr double kDialogFontPoints = 8.25;
inline constexpr double kMessageFontPoints = 9.0;

// "Microsoft Sans Serif" at `points`, or the system's general UI font at the
// same size where that family is not installed (as on most Linux systems).
QFont dialog_font(double points);

}  // namespace picprog
