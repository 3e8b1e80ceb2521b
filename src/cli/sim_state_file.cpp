#include "cli/sim_state_file.h"

#include <charconv>

#include "core/memory/hex_text.h"

namespace picprog {
namespace {

constexpr std::string_view kHeader = "Quellmark simulated chip 1";
constexpr std::string_view kPartKey = "part: ";
constexpr std::string_view kShapeKey = "shape: ";
constexpr std::string_view kProgramRow = "program";
constexpr std::string_view kDataRow = "data";
constexpr std::string_view kConfigRow = "config";
constexpr std::string_view kNoSecondConfig = "-";
constexpr size_t kRowLength = 8;
constexpr int kHexBase = 16;
constexpr int kDecimalBase = 10;
constexpr int32_t kConfigSpaceBase = 0x2000;

std::vector<std::string_view> words_of(std::string_view line) {
    std::vector<std::string_view> words;
    size_t start = 0;
    while (start < line.size()) {
        const size_t blank = line.find(' ', start);
        const size_t end = blank == std::string_view::npos ? line.size() : blank;
        if (end > start) {
            words.push_back(line.substr(start, end - start));
        }
        start = end + 1;
    }
    return words;
}

std::optional<int32_t> number(std::string_view text, int base) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

template <typename Cell>
void append_rows(std::string& text, std::string_view kind, const std::vector<Cell>& cells,
                 int32_t base_address, std::string (*address_text)(int32_t),
                 std::string (*cell_text)(int32_t)) {
    for (size_t row = 0; row < cells.size(); row += kRowLength) {
        text += kind;
        text += ' ';
        text += address_text(base_address + static_cast<int32_t>(row));
        text += ':';
        for (size_t i = row; i < cells.size() && i < row + kRowLength; ++i) {
            text += ' ';
            text += cell_text(cells[i]);
        }
        text += '\n';
    }
}

// Stores the cells of one row; false (with `error`) when it does not fit.
template <typename Cell>
bool take_row(const std::vector<std::string_view>& words, std::vector<Cell>& cells,
              int32_t base_address, size_t digits, std::string& error) {
    std::string_view address_word = words[1];
    if (address_word.empty() || address_word.back() != ':') {
        error = "expected an address followed by ':'";
        return false;
    }
    address_word.remove_suffix(1);
    const auto address = number(address_word, kHexBase);
    if (!address || *address < base_address ||
        static_cast<size_t>(*address - base_address) + (words.size() - 2) > cells.size()) {
        error = "row outside the memory of the part";
        return false;
    }
    size_t index = static_cast<size_t>(*address - base_address);
    for (size_t w = 2; w < words.size(); ++w) {
        const auto value = number(words[w], kHexBase);
        if (words[w].size() != digits || !value) {
            error = "expected " + std::to_string(digits) + " hexadecimal digits, found \"" +
                    std::string(words[w]) + "\"";
            return false;
        }
        cells[index++] = static_cast<Cell>(*value);
    }
    return true;
}

}  // namespace

std::string chip_state_text(const ChipState& state) {
    std::string text(kHeader);
    text += '\n';
    text += kPartKey;
    text += state.part;
    text += '\n';
    text += kShapeKey;
    text += std::to_string(state.shape.flash_words) + " " +
            std::to_string(state.shape.eeprom_bytes) + " " + hex4(state.shape.config1_erased) +
            " " +
            (state.shape.config2_erased < 0 ? std::string(kNoSecondConfig)
                                            : hex4(state.shape.config2_erased));
    text += '\n';
    append_rows(text, kProgramRow, state.program, 0, hex6, hex4);
    append_rows(text, kDataRow, state.data, 0, hex4, hex2);
    append_rows(text, kConfigRow, state.config, kConfigSpaceBase, hex4, hex4);
    return text;
}

ChipStateParse parse_chip_state(std::string_view text) {
    ChipStateParse result;
    std::vector<std::string_view> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        start = end + 1;
    }
    auto fail = [&result](int line, std::string error) {
        result.line = line;
        result.error = std::move(error);
        return result;
    };
    if (lines.empty() || lines[0] != kHeader) {
        return fail(1, "not a simulated chip file (expected \"" + std::string(kHeader) + "\")");
    }
    if (lines.size() < 2 || !lines[1].starts_with(kPartKey)) {
        return fail(2, "expected \"part: \" and the part's name");
    }
    ChipState state;
    state.part = std::string(lines[1].substr(kPartKey.size()));
    const auto shape = lines.size() < 3
                           ? std::vector<std::string_view>{}
                           : words_of(lines[2].substr(std::min(lines[2].size(), kShapeKey.size())));
    constexpr size_t kShapeFields = 4;
    if (lines.size() < 3 || !lines[2].starts_with(kShapeKey) || shape.size() != kShapeFields ||
        !number(shape[0], kDecimalBase) || !number(shape[1], kDecimalBase) ||
        !number(shape[2], kHexBase) ||
        (shape[3] != kNoSecondConfig && !number(shape[3], kHexBase))) {
        return fail(3,
                    "expected \"shape: \" with FLASH words, EEPROM bytes and the erased "
                    "configuration words");
    }
    state.shape.flash_words = *number(shape[0], kDecimalBase);
    state.shape.eeprom_bytes = *number(shape[1], kDecimalBase);
    state.shape.config1_erased = *number(shape[2], kHexBase);
    state.shape.config2_erased = shape[3] == kNoSecondConfig ? -1 : *number(shape[3], kHexBase);

    // Start from the factory contents of the part, then apply the rows.
    state = capture_chip_state(PicChip(chip_variant_of(state)));
    state.part = std::string(lines[1].substr(kPartKey.size()));
    for (size_t i = 3; i < lines.size(); ++i) {
        const int line_number = static_cast<int>(i) + 1;
        const std::vector<std::string_view> words = words_of(lines[i]);
        if (words.empty()) {
            continue;
        }
        if (words.size() < 2) {
            return fail(line_number, "expected a memory row");
        }
        std::string error;
        bool ok = false;
        if (words[0] == kProgramRow) {
            ok = take_row(words, state.program, 0, 4, error);
        } else if (words[0] == kDataRow) {
            ok = take_row(words, state.data, 0, 2, error);
        } else if (words[0] == kConfigRow) {
            ok = take_row(words, state.config, kConfigSpaceBase, 4, error);
        } else {
            error = "unknown row \"" + std::string(words[0]) + "\"";
        }
        if (!ok) {
            return fail(line_number, error);
        }
    }
    result.state = std::move(state);
    return result;
}

ChipState capture_chip_state(const PicChip& chip) {
    ChipState state;
    const ChipVariant& variant = chip.variant();
    state.part = variant.name;
    state.shape.flash_words = variant.flash_words;
    state.shape.eeprom_bytes = variant.eeprom_bytes;
    state.shape.config1_erased = variant.config_erased[0];
    state.shape.config2_erased = variant.config_words > 1 ? variant.config_erased[1] : -1;
    const ChipMemory& memory = chip.memory();
    for (int32_t i = 0; i < memory.flash_words(); ++i) {
        state.program.push_back(memory.program(i));
    }
    for (int32_t i = 0; i < memory.eeprom_bytes(); ++i) {
        state.data.push_back(memory.data(i));
    }
    for (int32_t i = 0; i < chip.traits().config_half_words; ++i) {
        state.config.push_back(memory.config(kConfigSpaceBase + i));
    }
    return state;
}

ChipVariant chip_variant_of(const ChipState& state) {
    return chip_for_model(state.part, state.shape);
}

void apply_chip_state(const ChipState& state, PicChip& chip) {
    ChipMemory& memory = chip.memory();
    for (size_t i = 0; i < state.program.size() && i < static_cast<size_t>(memory.flash_words());
         ++i) {
        memory.set_program(static_cast<int32_t>(i), state.program[i]);
    }
    for (size_t i = 0; i < state.data.size() && i < static_cast<size_t>(memory.eeprom_bytes());
         ++i) {
        memory.set_data(static_cast<int32_t>(i), state.data[i]);
    }
    const auto config_words = static_cast<size_t>(chip.traits().config_half_words);
    for (size_t i = 0; i < state.config.size() && i < config_words; ++i) {
        memory.set_config(kConfigSpaceBase + static_cast<int32_t>(i), state.config[i]);
    }
}

}  // namespace picprog
