#include "core/sim/chip_for_model.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace picprog {
namespace {

constexpr std::string_view kPrefix = "PIC";

std::string normalized(std::string_view name) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!name.empty() && blank(name.front())) {
        name.remove_prefix(1);
    }
    while (!name.empty() && blank(name.back())) {
        name.remove_suffix(1);
    }
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    });
    if (upper.starts_with(kPrefix)) {
        upper.erase(0, kPrefix.size());
    }
    return upper;
}

uint16_t word(int32_t value) {
    return static_cast<uint16_t>(value & kWordMask);
}

}  // namespace

ChipVariant generic_chip(const GenericChipShape& shape) {
    const bool two_words = shape.config2_erased >= 0;
    return ChipVariant{.name = "generic",
                       .family = Family::Generic,
                       .flash_words = std::max(shape.flash_words, 1),
                       .eeprom_bytes = std::max(shape.eeprom_bytes, 0),
                       .device_id = 0,
                       .write_latches = 1,
                       .config_erased = {word(shape.config1_erased),
                                         two_words ? word(shape.config2_erased) : kBlankWord},
                       .config_words = two_words ? 2 : 1};
}

ChipVariant chip_for_model(std::string_view name, const GenericChipShape& fallback) {
    const std::string key = normalized(name);
    for (const ChipVariant& variant : known_variants()) {
        if (variant.name == key) {
            return variant;
        }
    }
    ChipVariant chip = generic_chip(fallback);
    chip.name = std::string(name);
    return chip;
}

bool is_simulated_part(std::string_view name) {
    const std::string key = normalized(name);
    return std::any_of(known_variants().begin(), known_variants().end(),
                       [&](const ChipVariant& variant) { return variant.name == key; });
}

GenericChipShape shape_of(const CurrentModel& model) {
    GenericChipShape shape;
    shape.flash_words = model.flash_size;
    shape.eeprom_bytes = model.eeprom_size;
    shape.config1_erased = model.config_erased[1] < 0 ? kBlankWord : model.config_erased[1];
    shape.config2_erased = model.config2_used ? model.config_erased[2] : -1;
    return shape;
}

ChipVariant chip_for_model(const CurrentModel& model) {
    return chip_for_model(model.name, shape_of(model));
}

}  // namespace picprog
