#include "cli/buffer_rows.h"

#include "core/memory/hex_text.h"

namespace picprog {
namespace {

std::vector<std::string> rows(const std::vector<int32_t>& cells, std::string (*address)(int32_t),
                              std::string (*cell)(int32_t)) {
    std::vector<std::string> result;
    for (size_t first = 0; first < cells.size(); first += kLocationsPerRow) {
        std::string row = address(static_cast<int32_t>(first)) + ":";
        for (size_t i = first; i < cells.size() && i < first + kLocationsPerRow; ++i) {
            row += ' ';
            row += cell(cells[i]);
        }
        result.push_back(std::move(row));
    }
    return result;
}

}  // namespace

std::vector<std::string> flash_rows(const MemoryImage& image) {
    return rows(image.flash, hex6, hex4);
}

std::vector<std::string> eeprom_rows(const MemoryImage& image) {
    return rows(image.eeprom, hex4, hex2);
}

}  // namespace picprog
