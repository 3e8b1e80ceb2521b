#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/sim/pic_chip.h"

namespace picprog {

// Where and why a chip state text was refused.
struct ChipStateError {
    int32_t line = 0;  // 1-based
    std::string message;
};

// The chip's memories as text, so a simulated chip can outlive one run:
//   part 16F628A
//   program 0000 3FFF 3FFF ...   (hex address, then up to 16 words)
//   data 0000 FF FF ...
//   config 2000 3FFF ...
// Blank lines and lines starting with '#' are comments.
std::string save_chip_state(const PicChip& chip);

// Applies a text written by save_chip_state to `chip`, which must be the
// same part. Returns the first problem, or nothing when all of it applied;
// lines before a bad one stay applied.
std::optional<ChipStateError> load_chip_state(std::string_view text, PicChip& chip);

}  // namespace picprog
