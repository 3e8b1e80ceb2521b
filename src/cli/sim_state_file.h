#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/sim/chip_for_model.h"
#include "core/sim/pic_chip.h"

namespace picprog {

// What a simulated chip keeps between two runs of the tool: which part sits
// in the socket and the contents of its three memories. Saved as text, so
// a person can look into the "chip" with any editor:
//
//   Quellmark simulated chip 1
//   part: 16F628A
//   shape: 2048 128 3FFF -
//   program 000000: 2805 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF
//   data 0000: 01 FF FF FF FF FF FF FF
//   config 2000: 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 1060 3FFF
//
// "shape" gives the sizes and erased configuration values a part the
// simulator does not know by name is rebuilt with. Rows hold up to eight
// locations; rows left out keep the factory contents.
struct ChipState {
    std::string part;
    GenericChipShape shape;
    std::vector<uint16_t> program;
    std::vector<uint8_t> data;
    std::vector<uint16_t> config;  // configuration space from 2000h, as implemented
};

// The state's text, as shown above.
std::string chip_state_text(const ChipState& state);

// A parsed state file, or the 1-based line and reason it was refused.
struct ChipStateParse {
    std::optional<ChipState> state;
    int line = 0;
    std::string error;
};

// Reads a state text. Row addresses and sizes are checked against the part
// the text names (rebuilt with chip_for_model and the shape).
ChipStateParse parse_chip_state(std::string_view text);

// The state of a chip.
ChipState capture_chip_state(const PicChip& chip);
// The part a state describes, to build the simulated chip with.
ChipVariant chip_variant_of(const ChipState& state);
// Puts the state's memory contents into `chip`, a chip of chip_variant_of.
void apply_chip_state(const ChipState& state, PicChip& chip);

}  // namespace picprog
