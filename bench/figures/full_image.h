#pragma once

#include "core/devices/current_model.h"
#include "core/memory/memory_image.h"

namespace picprog::bench {

// The largest image a 14-bit part of the database holds: 8192 FLASH words,
// 256 EEPROM bytes and both configuration words (erased 3FFFh).
CurrentModel largest_image_model();

// Blanks `image` for `model` and then fills every FLASH word and every
// EEPROM byte with a value that is not the blank one, so that the used
// extents are the whole memories and every location is written, read and
// compared. The configuration words get the model's erased values: they
// read back the same on every chip, whatever its unimplemented bits.
void fill_full_image(const CurrentModel& model, MemoryImage& image);

// True when both images hold the same words, bytes and configuration.
bool same_image(const MemoryImage& a, const MemoryImage& b);

}  // namespace picprog::bench
