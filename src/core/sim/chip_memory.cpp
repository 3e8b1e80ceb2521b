#include "core/sim/chip_memory.h"

#include <algorithm>

namespace picprog {
namespace {

// Factory calibration values. Any value of the right form will do; these
// differ from blank so a programmer that loses them is caught.
constexpr uint16_t kFactoryOscCal = 0x3450;   // RETLW 50h
constexpr uint16_t kFactoryBandGap = 0x2000;  // BG1:BG0 = 10
constexpr uint16_t kBandGapMask = 0x3000;
constexpr uint16_t kFactoryCalibration = 0x1F4A;

int32_t positive_modulo(int32_t value, int32_t size) {
    const int32_t r = value % size;
    return r < 0 ? r + size : r;
}

}  // namespace

ChipMemory::ChipMemory(const ChipVariant& variant, const FamilyTraits& traits)
    : traits_(&traits),
      config_erased_(variant.config_erased),
      config_words_(variant.config_words),
      program_(static_cast<size_t>(std::max(variant.flash_words, 1)), kBlankWord),
      data_(static_cast<size_t>(std::max(variant.eeprom_bytes, 0)), kBlankByte),
      config_(static_cast<size_t>(traits.config_half_words), kBlankWord) {
    erase_config_words();
    config_[static_cast<size_t>(config_slot(kDeviceIdAddress))] = variant.device_id;
    if (traits.has_osccal) {
        program_.back() = kFactoryOscCal;
        const int32_t slot = config_slot(kConfig1Address);
        config_[static_cast<size_t>(slot)] = static_cast<uint16_t>(
            (config_[static_cast<size_t>(slot)] & ~kBandGapMask) | kFactoryBandGap);
    }
    for (int32_t k = 0; traits.calibration_address != 0 && k < traits.calibration_count; ++k) {
        config_[static_cast<size_t>(config_slot(traits.calibration_address + k))] =
            static_cast<uint16_t>(kFactoryCalibration + k);
    }
}

int32_t ChipMemory::program_index(int32_t pc) const {
    return positive_modulo(pc, flash_words());
}

int32_t ChipMemory::data_index(int32_t pc) const {
    return data_.empty() ? -1 : positive_modulo(pc, eeprom_bytes());
}

uint16_t ChipMemory::program(int32_t index) const {
    return program_[static_cast<size_t>(program_index(index))];
}

void ChipMemory::set_program(int32_t index, uint16_t value) {
    const int32_t i = program_index(index);
    program_[static_cast<size_t>(i)] = apply_stuck(i, value & kWordMask);
}

uint8_t ChipMemory::data(int32_t index) const {
    return data_.empty() ? kBlankByte : data_[static_cast<size_t>(data_index(index))];
}

void ChipMemory::set_data(int32_t index, uint8_t value) {
    if (!data_.empty()) {
        data_[static_cast<size_t>(data_index(index))] = value;
    }
}

int32_t ChipMemory::config_slot(int32_t address) const {
    return positive_modulo(address - kConfigBase, traits_->config_half_words);
}

bool ChipMemory::is_config_word(int32_t address) const {
    const int32_t slot = config_slot(address);
    const int32_t first = kConfig1Address - kConfigBase;
    return slot >= first && slot < first + config_words_;
}

uint16_t ChipMemory::config(int32_t address) const {
    return config_[static_cast<size_t>(config_slot(address))];
}

void ChipMemory::set_config(int32_t address, uint16_t value) {
    const int32_t slot = config_slot(address);
    value &= kWordMask;
    if (is_config_word(address)) {
        const size_t k = static_cast<size_t>(slot - (kConfig1Address - kConfigBase));
        const uint16_t writable = traits_->config_writable[k];
        value = static_cast<uint16_t>((value & writable) | (config_erased_[k] & ~writable));
    }
    config_[static_cast<size_t>(slot)] = value;
}

bool ChipMemory::config_writable(int32_t address) const {
    const int32_t slot = config_slot(address);
    if (slot < kUserIdWords || is_config_word(address)) {
        return true;
    }
    return is_calibration(address);
}

bool ChipMemory::is_calibration(int32_t address) const {
    if (traits_->calibration_address == 0) {
        return false;
    }
    const int32_t offset = config_slot(address) - config_slot(traits_->calibration_address);
    return offset >= 0 && offset < traits_->calibration_count;
}

bool ChipMemory::program_protected() const {
    return first_protected_word() < flash_words();
}

bool ChipMemory::program_protected_at(int32_t index) const {
    return program_index(index) >= first_protected_word();
}

// CP1:CP0 on the 16F627/628: 11 nothing, 10 the top 1K of a 2K part (and
// nothing on a 1K part), 01 from 200h up, 00 everything. The two copies of
// the pair should match; a 0 in either counts.
int32_t ChipMemory::first_protected_word() const {
    const uint16_t mask = traits_->cp_mask;
    const uint16_t config1 = config(kConfig1Address);
    if (!traits_->cp_protects_top_range) {
        return mask != 0 && (config1 & mask) != mask ? 0 : flash_words();
    }
    constexpr int32_t kHalf = 0x400;
    constexpr int32_t kQuarter = 0x200;
    switch ((config1 >> 12) & (config1 >> 10) & 3) {
        case 3:
            return flash_words();
        case 2:
            return flash_words() > kHalf ? kHalf : flash_words();
        case 1:
            return kQuarter;
        default:
            return 0;
    }
}

bool ChipMemory::data_protected() const {
    const uint16_t mask = traits_->cpd_mask;
    return mask != 0 && (config(kConfig1Address) & mask) != mask;
}

void ChipMemory::set_stuck_bit(std::optional<StuckBit> stuck) {
    stuck_ = stuck;
    if (stuck_) {
        stuck_->address = program_index(stuck_->address);
        const auto i = static_cast<size_t>(stuck_->address);
        program_[i] = apply_stuck(stuck_->address, program_[i]);
    }
}

uint16_t ChipMemory::apply_stuck(int32_t index, uint16_t value) const {
    if (!stuck_ || stuck_->address != index || stuck_->bit < 0 || stuck_->bit > 13) {
        return value;
    }
    const auto bit = static_cast<uint16_t>(1U << stuck_->bit);
    return stuck_->level ? static_cast<uint16_t>(value | bit) : static_cast<uint16_t>(value & ~bit);
}

void ChipMemory::erase_program() {
    erase_program_rows(0, flash_words());
}

void ChipMemory::erase_program_rows(int32_t first_index, int32_t words) {
    for (int32_t i = 0; i < words; ++i) {
        set_program(first_index + i, kBlankWord);
    }
}

void ChipMemory::erase_data() {
    std::fill(data_.begin(), data_.end(), kBlankByte);
}

void ChipMemory::erase_config_words() {
    for (int32_t k = 0; k < config_words_; ++k) {
        config_[static_cast<size_t>(config_slot(kConfig1Address + k))] =
            config_erased_[static_cast<size_t>(k)];
    }
}

void ChipMemory::erase_user_ids() {
    for (int32_t i = 0; i < kUserIdWords; ++i) {
        config_[static_cast<size_t>(i)] = kBlankWord;
    }
}

void ChipMemory::erase_calibration() {
    for (int32_t k = 0; traits_->calibration_address != 0 && k < traits_->calibration_count; ++k) {
        config_[static_cast<size_t>(config_slot(traits_->calibration_address + k))] = kBlankWord;
    }
}

}  // namespace picprog
