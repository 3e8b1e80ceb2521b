#pragma once

#include <cstdint>
#include <string>

#include "core/engine/programmer.h"

namespace picprog {

// What answered at 2006h.
enum class ChipAnswer {
    NoChip,   // the ID read as 3FFFh or 0000h: nothing drives the DATA line
    Known,    // a model of the database has this ID (see model)
    Unknown,  // an ID no model of the database has
};

struct ChipIdentity {
    ChipAnswer answer = ChipAnswer::NoChip;
    int32_t raw_id = 0x3FFF;  // the word read at 2006h
    int32_t model = 0;        // the model number when Known
    int32_t revision = 0;     // the bits the model's ID mask drops, when Known
};

// Reads the device ID at 2006h with the read commands every 14-bit part
// shares (Load Configuration, six Increments, Read): powered up in the
// selected model's supply order and, when nothing answers, once more in the
// other order (a part that needs the other order stays out of programming
// mode on the first try), then powered down; the rules the probe broke on
// a simulated chip are dropped. The selected model is preferred when
// several models share the ID.
ChipIdentity identify_chip(Programmer& programmer);

// Reads one word at `address` (program memory, or config space from 2000h)
// in the selected model's supply order, powering up and down around it.
int32_t read_chip_word(Programmer& programmer, int32_t address);

// "PIC16F628A, revision 6 (device ID 1066h)", "Unknown chip: device ID
// 1234h" or the no-chip text, for a message box or a terminal.
std::string identity_text(const ChipIdentity& identity, const DeviceDatabase& database);

// The text shown when nothing answers at 2006h.
std::string no_chip_text(int32_t raw_id);

}  // namespace picprog
