#include "cli/model_choice.h"

#include <algorithm>
#include <string>

namespace picprog {
namespace {

constexpr std::string_view kPartPrefix = "pic";

std::string comparable_name(std::string_view name) {
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) {
        name.remove_prefix(1);
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) {
        name.remove_suffix(1);
    }
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    if (lower.starts_with(kPartPrefix)) {
        lower.erase(0, kPartPrefix.size());
    }
    return lower;
}

bool all_digits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::optional<int32_t> find_model(const DeviceDatabase& database, std::string_view argument) {
    if (all_digits(argument)) {
        constexpr size_t kMaxDigits = 9;
        if (argument.size() > kMaxDigits) {
            return std::nullopt;
        }
        const int32_t number = std::stoi(std::string(argument));
        if (database.model(number) == nullptr) {
            return std::nullopt;
        }
        return number;
    }
    const std::string wanted = comparable_name(argument);
    if (wanted.empty()) {
        return std::nullopt;
    }
    for (int32_t number = 1; number <= database.model_count(); ++number) {
        if (comparable_name(database.model(number)->name) == wanted) {
            return number;
        }
    }
    return std::nullopt;
}

}  // namespace picprog
