#include "core/memory/memory_image.h"

#include <algorithm>

namespace picprog {

void MemoryImage::blank_image(const ImageShape& shape) {
    // Re-created rather than resized, so nothing of a previous model's image
    // survives a model change.
    flash =
        std::vector<int32_t>(static_cast<size_t>(std::max(shape.flash_size, 0)), kBlankFlashWord);
    eeprom =
        std::vector<int32_t>(static_cast<size_t>(std::max(shape.eeprom_size, 0)), kBlankEepromByte);
    config[1] = shape.config_erased[1];
    config[2] = shape.config_erased[2];
}

}  // namespace picprog
