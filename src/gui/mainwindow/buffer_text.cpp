#include "gui/mainwindow/buffer_text.h"

#include <algorithm>

#include "core/memory/hex_text.h"

namespace picprog {
namespace {

constexpr std::string_view kRowSeparator = "\r\n";

using AddressFormat = std::string (*)(int32_t);
using ValueFormat = std::string (*)(int32_t);

int32_t row_count(size_t size) {
    return static_cast<int32_t>((size + kLocationsPerRow - 1) / kLocationsPerRow);
}

std::string table_text(const std::vector<int32_t>& memory, int32_t first_row,
                       AddressFormat address_text, ValueFormat value_text) {
    std::string text;
    const int32_t rows = row_count(memory.size());
    const int32_t end_row = std::min(rows, first_row + kTableRows);
    for (int32_t row = std::max(first_row, 0); row < end_row; ++row) {
        if (!text.empty()) {
            text += kRowSeparator;
        }
        const int32_t first = row * kLocationsPerRow;
        text += address_text(first);
        text += ':';
        const int32_t last =
            std::min(first + kLocationsPerRow, static_cast<int32_t>(memory.size()));
        for (int32_t address = first; address < last; ++address) {
            text += ' ';
            text += value_text(memory[static_cast<size_t>(address)]);
        }
    }
    return text;
}

}  // namespace

std::string flash_table_text(const std::vector<int32_t>& flash, int32_t first_row) {
    return table_text(flash, first_row, hex6, hex4);
}

std::string eeprom_table_text(const std::vector<int32_t>& eeprom, int32_t first_row) {
    return table_text(eeprom, first_row, hex4, hex2);
}

int32_t scroll_maximum(int32_t size) {
    if (size <= 0) {
        return 0;
    }
    return std::max(row_count(static_cast<size_t>(size)) - kTableRows, 0);
}

std::string model_info_text(const CurrentModel& model) {
    return "FLASH: " + std::to_string(model.flash_size) +
           ",  EEPROM: " + std::to_string(model.eeprom_size);
}

}  // namespace picprog
