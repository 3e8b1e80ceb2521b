#pragma once

#include <QPoint>
#include <QRect>
#include <optional>

#include "gui/mainwindow/buffer_text.h"

namespace picprog {

// How a buffer table lays out its text, in the table's own pixels: where the
// first character of the first row starts, the width of one character of
// the table font and the distance from one row to the next.
struct TextGrid {
    QPoint origin;
    // Fractional: a fixed-width font is rarely a whole number of pixels
    // wide, and rounding would drift by a character across a row.
    double char_width = 0;
    int row_pitch = 0;
    // From the top of a row to the text's baseline.
    int baseline = 0;
};

// Where the editable cells of a table row lie, in characters: the first
// cell starts after the address ("000000: " or "0000: "), and each cell
// spans its digits and the blank after them.
struct CellColumns {
    int lead_chars;
    int cell_chars;
    int digits;
};

inline constexpr CellColumns kFlashColumns{8, 5, 4};
inline constexpr CellColumns kEepromColumns{6, 3, 2};

struct Cell {
    int row;     // 0 to kTableRows - 1, counted from the first row shown
    int column;  // 0 to kLocationsPerRow - 1
};

// The cell under `point`, or nothing when the point lies left of the first
// cell, above the first row, or beyond the eighth row or column.
std::optional<Cell> cell_at(const TextGrid& grid, const CellColumns& columns, QPoint point);

// Where the first digit of `cell` starts, in the table's pixels.
double cell_text_left(const TextGrid& grid, const CellColumns& columns, Cell cell);

// The rectangle of `cell`, one row high and as wide as the cell with its
// trailing blank (whole pixels covering the characters).
QRect cell_rect(const TextGrid& grid, const CellColumns& columns, Cell cell);

}  // namespace picprog
