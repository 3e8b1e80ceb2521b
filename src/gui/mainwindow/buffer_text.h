#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/devices/current_model.h"

namespace picprog {

// Rows a buffer table shows at once, and locations per row.
constexpr int32_t kTableRows = 8;
constexpr int32_t kLocationsPerRow = 8;

// Text of the FLASH table from row `first_row` on: up to kTableRows rows of
// hex6 of the row's first word address, ":", and a blank plus hex4 of each
// word; rows joined by CR LF, no line end after the last. Only rows that
// exist are shown, and a last row of fewer than eight words shows just
// those. Empty for an empty memory or a first row past the end.
std::string flash_table_text(const std::vector<int32_t>& flash, int32_t first_row);

// The same for the EEPROM table: hex4 of the address, ":", a blank plus
// hex2 of each byte.
std::string eeprom_table_text(const std::vector<int32_t>& eeprom, int32_t first_row);

// Highest first row a table's scroll bar may choose for a memory of `size`
// locations, so that the last position shows the last kTableRows rows: the
// number of rows minus kTableRows, counting a last partial row, never below
// 0. For sizes that are multiples of 8 this is size / 8 - 8.
int32_t scroll_maximum(int32_t size);

// The model line: "FLASH: 1024,  EEPROM: 128".
std::string model_info_text(const CurrentModel& model);

}  // namespace picprog
