#pragma once

#include <string>
#include <vector>

#include "core/memory/memory_image.h"

namespace picprog {

// Locations shown in one row of the buffer tables.
inline constexpr size_t kLocationsPerRow = 8;

// The rows of the main window's FLASH table for the whole memory: hex6 of
// the row's first address, ":", then a blank and hex4 of each word, such as
// "000008: 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF". A last row of a memory
// whose size is not a multiple of 8 holds only the words that exist.
std::vector<std::string> flash_rows(const MemoryImage& image);

// The same for the EEPROM table: hex4 of the address and hex2 of each byte.
std::vector<std::string> eeprom_rows(const MemoryImage& image);

}  // namespace picprog
