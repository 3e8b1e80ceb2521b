#include "core/devices/model_sizes.h"

#include <array>
#include <string_view>

#include "core/memory/decimal_text.h"

namespace picprog {
namespace {

struct SizeRule {
    std::string DeviceModel::*field;
    std::string_view key;
    int32_t max;
    std::string_view unit;
};

constexpr std::array<SizeRule, 3> kRules = {{
    {&DeviceModel::flash, "flash:", kMaxFlashWords, "words"},
    {&DeviceModel::eeprom, "eeprom:", kMaxEepromBytes, "bytes"},
    {&DeviceModel::pagesize, "pagesize:", kMaxPageWords, "words"},
}};

}  // namespace

std::string model_size_problem(const DeviceModel& model) {
    std::string problem;
    for (const SizeRule& rule : kRules) {
        const int32_t value = leading_number(model.*rule.field);
        if (value < 0 || value > rule.max) {
            problem += problem.empty() ? "" : ", ";
            problem += std::string(rule.key) + " " + std::to_string(value) + " is outside 0 to " +
                       std::to_string(rule.max) + " " + std::string(rule.unit);
        }
    }
    return problem;
}

}  // namespace picprog
