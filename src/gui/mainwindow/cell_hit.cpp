#include "gui/mainwindow/cell_hit.h"

#include <cmath>

namespace picprog {

std::optional<Cell> cell_at(const TextGrid& grid, const CellColumns& columns, QPoint point) {
    if (grid.char_width <= 0 || grid.row_pitch <= 0) {
        return std::nullopt;
    }
    const double x = point.x() - grid.origin.x() - columns.lead_chars * grid.char_width;
    const int y = point.y() - grid.origin.y();
    // Checked before dividing: division truncates towards zero, so a point
    // just left of the first cell would otherwise land in column 0.
    if (x < 0 || y < 0) {
        return std::nullopt;
    }
    const int column = static_cast<int>(std::floor(x / (columns.cell_chars * grid.char_width)));
    const int row = y / grid.row_pitch;
    if (column >= kLocationsPerRow || row >= kTableRows) {
        return std::nullopt;
    }
    return Cell{row, column};
}

double cell_text_left(const TextGrid& grid, const CellColumns& columns, Cell cell) {
    return grid.origin.x() +
           (columns.lead_chars + cell.column * columns.cell_chars) * grid.char_width;
}

QRect cell_rect(const TextGrid& grid, const CellColumns& columns, Cell cell) {
    const int first_char = columns.lead_chars + cell.column * columns.cell_chars;
    const int left = grid.origin.x() + static_cast<int>(std::floor(first_char * grid.char_width));
    const int right =
        grid.origin.x() +
        static_cast<int>(std::ceil((first_char + columns.cell_chars) * grid.char_width));
    const int top = grid.origin.y() + cell.row * grid.row_pitch;
    return {left, top, right - left, grid.row_pitch};
}

}  // namespace picprog
