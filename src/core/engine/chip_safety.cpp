#include "core/engine/chip_safety.h"

#include <charconv>

#include "core/engine/chip_identity.h"
#include "core/memory/hex_text.h"

namespace picprog {
namespace {

constexpr int32_t kConfig1 = 0x2007;

}  // namespace

std::optional<int32_t> parse_retlw(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    if (text.size() > 1 && (text.back() == 'h' || text.back() == 'H')) {
        text.remove_suffix(1);
    }
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || text.size() > 4 || error != std::errc{} ||
        end != text.data() + text.size() || !is_retlw(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<SafetyStop> check_chip_in_socket(Programmer& programmer, OperationView& view) {
    const auto& expected = programmer.model.safety.device_id;
    if (!programmer.check_device_id || !expected) {
        return std::nullopt;
    }
    const ChipIdentity identity = identify_chip(programmer);
    if (identity.answer == ChipAnswer::NoChip) {
        view.msg_box(no_chip_text(identity.raw_id), MsgKind::Error, "");
        return SafetyStop{"Operation stopped: no chip answers."};
    }
    if (identity.answer == ChipAnswer::Known && identity.model == programmer.model.index) {
        return std::nullopt;
    }
    const std::string selected = programmer.model.name;
    const std::string question =
        identity.answer == ChipAnswer::Known
            ? "The chip in the socket is a " + programmer.database.model(identity.model)->name +
                  ", not the selected " + selected + ". Continue anyway?"
            : "The chip in the socket answers with device ID " + hex4h(identity.raw_id) +
                  ", which no model in the database has; the selected " + selected + " has " +
                  hex4h(expected->value) + ". Continue anyway?";
    if (view.msg_box(question, MsgKind::YesNo, "") != kAnswerYes) {
        return SafetyStop{"Operation stopped: the chip in the socket is not a " + selected + "."};
    }
    return std::nullopt;
}

std::optional<ChipCalibration> read_calibration(Programmer& programmer, OperationView& view,
                                                SafetyStop& stop) {
    const SafetyKeys& keys = programmer.model.safety;
    ChipCalibration calibration;
    for (size_t i = 0; i < 2; ++i) {
        if (keys.config_calibration[i] != 0) {
            calibration.config_bits[i] =
                read_chip_word(programmer, kConfig1 + static_cast<int32_t>(i)) &
                keys.config_calibration[i];
        }
    }
    if (!keys.osccal_address) {
        return calibration;
    }
    const int32_t address = *keys.osccal_address;
    const int32_t word = read_chip_word(programmer, address);
    if (is_retlw(word)) {
        calibration.osccal = word;
        return calibration;
    }
    const std::string answer = view.input_box(
        "The calibration word at " + hex4h(address) + " reads " + hex4h(word) +
            ", which is not a RETLW instruction (34xxh): this chip lost its factory "
            "calibration before. Enter the value to write back (34xxh), or Cancel to stop:",
        "Oscillator Calibration", "");
    if (answer.empty()) {
        stop.status = "Operation stopped: the calibration word was not restored.";
        return std::nullopt;
    }
    const std::optional<int32_t> value = parse_retlw(answer);
    if (!value) {
        view.msg_box("\"" + answer + "\" is not a RETLW instruction (3400h to 37FFh).",
                     MsgKind::Error, "");
        stop.status = "Operation stopped: the calibration word was not restored.";
        return std::nullopt;
    }
    calibration.osccal = *value;
    return calibration;
}

void apply_calibration(const ChipCalibration& calibration, const SafetyKeys& keys,
                       MemoryImage& image) {
    if (calibration.osccal && keys.osccal_address &&
        *keys.osccal_address < static_cast<int32_t>(image.flash.size())) {
        image.flash[static_cast<size_t>(*keys.osccal_address)] = *calibration.osccal;
    }
    for (size_t i = 0; i < 2; ++i) {
        const int32_t bits = keys.config_calibration[i];
        int32_t& word = image.config[i + 1];
        word = (word & ~bits) | calibration.config_bits[i];
    }
}

}  // namespace picprog
