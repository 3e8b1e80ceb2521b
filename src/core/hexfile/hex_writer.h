#pragma once

#include <string>

#include "core/devices/current_model.h"
#include "core/memory/memory_image.h"

namespace picprog {

// The whole image as Intel HEX text, every line ended by CR LF, upper-case
// digits, in this order: FLASH from word 0 up to the last word that is not
// 3FFFh (none when all are blank); one configuration record at byte address
// 400Eh holding config[1], and config[2] too when config2_used; EEPROM from
// byte 0 up to the last byte that is not FFh, each byte written as a word
// with a zero high byte from byte address 4200h; the end record. Data
// records carry 16 bytes except the last of each memory. Words are written
// with their low 16 bits; no type 04 record is needed below byte address
// 10000h. Pure: reads the image and config2_used only.
std::string hex_file_text(const MemoryImage& image, const CurrentModel& model);

}  // namespace picprog
