#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace picprog {

constexpr int32_t kBlankFlashWord = 0x3FFF;
constexpr int32_t kBlankEepromByte = 0xFF;
constexpr int32_t kConfig1Address = 0x2007;
constexpr int32_t kConfig2Address = 0x2008;

// What a blank image is made of, as the current model gives it: the sizes
// of the two memories and the erased values of 2007h ([1]) and 2008h ([2]).
// The memory layer knows no model; a model converts to this.
struct ImageShape {
    int32_t flash_size = 0;   // words
    int32_t eeprom_size = 0;  // bytes
    std::array<int32_t, 3> config_erased{0, -1, -1};
};

// The program buffer: everything that can be written to or read from a chip
// of the current model. Elements are indexed directly by word or byte
// address; config[1] is the word at 2007h, config[2] the one at 2008h
// (config[0] is unused).
struct MemoryImage {
    std::vector<int32_t> flash;
    std::vector<int32_t> eeprom;
    std::array<int32_t, 3> config{0, 0, 0};

    // Re-creates the image for the model: flash_size words of 3FFFh,
    // eeprom_size bytes of FFh (none for a negative size) and the model's
    // erased configuration values, taken as they are (-1 too).
    void blank_image(const ImageShape& shape);
};

}  // namespace picprog
