#include "figures/full_image.h"

#include <cstdint>

namespace picprog::bench {
namespace {

// Knuth's multiplicative hash spreads the words over the whole 14-bit range.
constexpr uint32_t kSpread = 2654435761u;
constexpr int32_t kLargestFlashWords = 8192;
constexpr int32_t kLargestEepromBytes = 256;

}  // namespace

CurrentModel largest_image_model() {
    CurrentModel model;
    model.flash_size = kLargestFlashWords;
    model.eeprom_size = kLargestEepromBytes;
    model.config2_used = true;
    model.config_erased = {0, kBlankFlashWord, kBlankFlashWord};
    return model;
}

void fill_full_image(const CurrentModel& model, MemoryImage& image) {
    image.blank_image(model);
    for (size_t i = 0; i < image.flash.size(); ++i) {
        // Modulo 3FFFh never gives the blank word 3FFFh itself.
        image.flash[i] = static_cast<int32_t>((static_cast<uint32_t>(i) * kSpread) %
                                              static_cast<uint32_t>(kBlankFlashWord));
    }
    for (size_t i = 0; i < image.eeprom.size(); ++i) {
        image.eeprom[i] = static_cast<int32_t>(i % static_cast<size_t>(kBlankEepromByte));
    }
    image.config[1] = model.config_erased[1];
    image.config[2] = model.config_erased[2];
}

bool same_image(const MemoryImage& a, const MemoryImage& b) {
    return a.flash == b.flash && a.eeprom == b.eeprom && a.config == b.config;
}

}  // namespace picprog::bench
