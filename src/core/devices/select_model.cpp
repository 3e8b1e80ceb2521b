#include "core/devices/current_model.h"
#include "core/memory/text_case.h"
#include "core/memory/decimal_text.h"
#include "core/memory/hex_text.h"

namespace picprog {
namespace {

// Characters first..first+count-1 (1-based), or fewer when the text is short.
std::string_view piece(std::string_view text, size_t first, size_t count) {
    if (first - 1 >= text.size()) {
        return {};
    }
    return text.substr(first - 1, count);
}

}  // namespace

void select_model(CurrentModel& current, const DeviceDatabase& database) {
    const DeviceModel* model = database.model(current.index);
    if (model == nullptr) {
        return;
    }
    current.name = model->name;
    current.flash_size = leading_number(model->flash);
    current.eeprom_size = leading_number(model->eeprom);

    // Upper-cased first, so lower-case digits are accepted here; the fifth
    // character (the separator) is not looked at.
    const std::string erased = to_upper_ascii(model->configerased);
    current.config_erased[1] = parse_hex4(piece(erased, 1, 4));
    current.config_erased[2] = parse_hex4(piece(erased, 6, 4));

    // Any other text leaves the previous model's value in place.
    const std::string config2 = to_lower_ascii(model->config2used);
    if (config2 == "false") {
        current.config2_used = false;
    } else if (config2 == "true") {
        current.config2_used = true;
    }
    const std::string sequence = to_lower_ascii(model->voltageseq);
    if (sequence == "vddvpp") {
        current.voltage_sequence = VoltageSequence::VddFirst;
    } else if (sequence == "vppvdd") {
        current.voltage_sequence = VoltageSequence::VppFirst;
    }

    current.programming_time = leading_number(model->progtime);
    current.page_size = leading_number(model->pagesize);
    for (size_t kind = 0; kind < kAlgorithmKinds; ++kind) {
        current.lists[kind] = split_instructions(model->algorithms[kind]);
    }
    current.safety = parse_safety_keys(*model, current.flash_size).keys;
    const size_t first = model->warning.find_first_not_of(" \t");
    const size_t last = model->warning.find_last_not_of(" \t");
    current.warning =
        first == std::string::npos ? std::string() : model->warning.substr(first, last - first + 1);
}

std::vector<std::string> split_instructions(std::string_view text) {
    std::string rest = to_lower_ascii(text);
    if (rest.empty() || rest.back() != ',') {
        rest.push_back(',');
    }
    std::vector<std::string> list;
    size_t start = 0;
    while (start < rest.size()) {
        const size_t comma = rest.find(',', start);
        list.push_back(rest.substr(start, comma - start));
        start = comma + 1;
    }
    return list;
}

}  // namespace picprog
