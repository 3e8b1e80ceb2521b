#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/sim/chip_families.h"

namespace picprog {

// A program-memory cell that always holds one level in one bit, however it
// is written or erased (a worn-out cell).
struct StuckBit {
    int32_t address = 0;  // program word address, taken modulo the flash size
    int32_t bit = 0;      // 0-13
    bool level = false;
};

// The three memories of one part and the rules that belong to the cells
// themselves: address aliasing, unimplemented config bits, code protection
// and the erase primitives. It knows nothing of commands or timing.
class ChipMemory {
public:
    // Factory state: program memory and IDs blank, data bytes FFh, config
    // words erased, the device ID set and calibration values filled in.
    ChipMemory(const ChipVariant& variant, const FamilyTraits& traits);

    int32_t flash_words() const { return static_cast<int32_t>(program_.size()); }
    int32_t eeprom_bytes() const { return static_cast<int32_t>(data_.size()); }

    // Array index of a PC value: only the low PC bits reach the array.
    int32_t program_index(int32_t pc) const;
    // Data index of a PC value (data memory decodes the PC's low bits); -1
    // on a part without data memory.
    int32_t data_index(int32_t pc) const;

    uint16_t program(int32_t index) const;
    // Stores `value` (14 bits) at `index` modulo the flash size, subject to a
    // stuck bit.
    void set_program(int32_t index, uint16_t value);
    // Data byte at `index` modulo the data size; FFh on a part without data.
    uint8_t data(int32_t index) const;
    void set_data(int32_t index, uint8_t value);

    // Config-space word at `address` (2000h upwards, aliased within the
    // implemented config half). Unimplemented config bits read as fixed.
    uint16_t config(int32_t address) const;
    // Stores a config-space word as-is apart from unimplemented bits.
    void set_config(int32_t address, uint16_t value);
    // True for the addresses a programming cycle can change: user IDs,
    // config words and the config-space calibration word.
    bool config_writable(int32_t address) const;
    bool is_config_word(int32_t address) const;
    // True for the config-space calibration words.
    bool is_calibration(int32_t address) const;

    // Protection read from CONFIG1: any CP (CPD) bit at 0 protects (on the
    // 16F627/628, only when the CP bits select a range the part has).
    bool program_protected() const;
    // True when program word `index` reads as 0 and refuses writes.
    bool program_protected_at(int32_t index) const;
    bool data_protected() const;

    void set_stuck_bit(std::optional<StuckBit> stuck);

    // Erase primitives.
    void erase_program();
    void erase_program_rows(int32_t first_index, int32_t words);
    void erase_data();
    void erase_config_words();
    void erase_user_ids();
    void erase_calibration();

private:
    int32_t config_slot(int32_t address) const;
    // First protected program word; flash_words() when none is.
    int32_t first_protected_word() const;
    uint16_t apply_stuck(int32_t index, uint16_t value) const;

    const FamilyTraits* traits_;
    std::array<uint16_t, 2> config_erased_;
    int32_t config_words_;
    std::vector<uint16_t> program_;
    std::vector<uint8_t> data_;
    std::vector<uint16_t> config_;
    std::optional<StuckBit> stuck_;
};

}  // namespace picprog
