#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/devices/current_model.h"

namespace picprog {

constexpr int32_t kBlankFlashWord = 0x3FFF;
constexpr int32_t kBlankEepromByte = 0xFF;
constexpr int32_t kConfig1Address = 0x2007;
constexpr int32_t kConfig2Address = 0x2008;

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
    void blank_image(const CurrentModel& model);
};

}  // namespace picprog
