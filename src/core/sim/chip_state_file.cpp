#include "core/sim/chip_state_file.h"

#include <charconv>
#include <vector>

#include "core/memory/hex_text.h"

namespace picprog {
namespace {

constexpr int32_t kValuesPerLine = 16;
constexpr std::string_view kHeader = "# Quellmark simulated chip state\n";

enum class Region { Program, Data, Config };

struct RegionInfo {
    std::string_view keyword;
    Region region;
    int32_t max_value;
};

constexpr RegionInfo kRegions[] = {
    {"program", Region::Program, kWordMask},
    {"data", Region::Data, 0xFF},
    {"config", Region::Config, kWordMask},
};

std::string hex_value(int32_t value, int32_t digits) {
    return digits == 2 ? hex2(value) : hex4(value);
}

void append_region(std::string& out, std::string_view keyword, int32_t first, int32_t count,
                   int32_t digits, auto value_at) {
    for (int32_t a = 0; a < count; a += kValuesPerLine) {
        out += keyword;
        out += ' ';
        out += hex4(first + a);
        for (int32_t i = a; i < count && i < a + kValuesPerLine; ++i) {
            out += ' ';
            out += hex_value(value_at(first + i), digits);
        }
        out += '\n';
    }
}

std::vector<std::string_view> split_words(std::string_view line) {
    std::vector<std::string_view> words;
    size_t at = 0;
    while (at < line.size()) {
        const size_t start = line.find_first_not_of(" \t\r", at);
        if (start == std::string_view::npos) {
            break;
        }
        const size_t end = line.find_first_of(" \t\r", start);
        words.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
        at = end == std::string_view::npos ? line.size() : end;
    }
    return words;
}

std::optional<int32_t> parse_hex(std::string_view text) {
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc{} || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

bool in_range(const PicChip& chip, Region region, int32_t address) {
    const ChipMemory& m = chip.memory();
    switch (region) {
        case Region::Program:
            return address < m.flash_words();
        case Region::Data:
            return address < m.eeprom_bytes();
        case Region::Config:
            return address >= kConfigBase &&
                   address < kConfigBase + chip.traits().config_half_words;
    }
    return false;
}

void store(PicChip& chip, Region region, int32_t address, int32_t value) {
    ChipMemory& m = chip.memory();
    switch (region) {
        case Region::Program:
            m.set_program(address, static_cast<uint16_t>(value));
            break;
        case Region::Data:
            m.set_data(address, static_cast<uint8_t>(value));
            break;
        case Region::Config:
            m.set_config(address, static_cast<uint16_t>(value));
            break;
    }
}

}  // namespace

std::string save_chip_state(const PicChip& chip) {
    const ChipMemory& m = chip.memory();
    std::string out(kHeader);
    out += "part " + chip.variant().name + "\n";
    append_region(out, "program", 0, m.flash_words(), 4,
                  [&m](int32_t a) { return static_cast<int32_t>(m.program(a)); });
    append_region(out, "data", 0, m.eeprom_bytes(), 2,
                  [&m](int32_t a) { return static_cast<int32_t>(m.data(a)); });
    append_region(out, "config", kConfigBase, chip.traits().config_half_words, 4,
                  [&m](int32_t a) { return static_cast<int32_t>(m.config(a)); });
    return out;
}

std::optional<ChipStateError> load_chip_state(std::string_view text, PicChip& chip) {
    int32_t line_number = 0;
    while (!text.empty()) {
        ++line_number;
        const size_t newline = text.find('\n');
        const std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
        const std::vector<std::string_view> words = split_words(line);
        if (words.empty() || words[0].starts_with('#')) {
            continue;
        }
        if (words[0] == "part") {
            if (words.size() != 2 || words[1] != chip.variant().name) {
                return ChipStateError{line_number, "expected part " + chip.variant().name};
            }
            continue;
        }
        const RegionInfo* region = nullptr;
        for (const RegionInfo& r : kRegions) {
            if (words[0] == r.keyword) {
                region = &r;
            }
        }
        if (region == nullptr) {
            return ChipStateError{line_number, "expected part, program, data or config"};
        }
        const std::optional<int32_t> first = words.size() > 1 ? parse_hex(words[1]) : std::nullopt;
        if (!first) {
            return ChipStateError{line_number, "expected a hexadecimal address"};
        }
        for (size_t i = 2; i < words.size(); ++i) {
            const int32_t address = *first + static_cast<int32_t>(i - 2);
            const std::optional<int32_t> value = parse_hex(words[i]);
            if (!value || *value > region->max_value) {
                return ChipStateError{
                    line_number, "expected a hexadecimal value up to " + hex4(region->max_value)};
            }
            if (!in_range(chip, region->region, address)) {
                return ChipStateError{line_number, "address " + hex4(address) + " is outside " +
                                                       std::string(region->keyword) + " memory"};
            }
            store(chip, region->region, address, *value);
        }
    }
    return std::nullopt;
}

}  // namespace picprog
