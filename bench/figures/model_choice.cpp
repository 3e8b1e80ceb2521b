#include "figures/model_choice.h"

#include <algorithm>
#include <cctype>

#include "core/devices/current_model.h"

namespace picprog::bench {
namespace {

// Sizes as the program itself converts them when the model is selected.
CurrentModel converted(const DeviceDatabase& database, int32_t number) {
    CurrentModel model;
    model.index = number;
    select_model(model, database);
    return model;
}

bool same_name(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

int32_t largest_model(const DeviceDatabase& database) {
    int32_t best = 0;
    CurrentModel best_model;
    for (int32_t number = 1; number <= database.model_count(); ++number) {
        const CurrentModel model = converted(database, number);
        const bool larger = best == 0 || model.flash_size > best_model.flash_size ||
                            (model.flash_size == best_model.flash_size &&
                             model.eeprom_size > best_model.eeprom_size);
        if (larger) {
            best = number;
            best_model = model;
        }
    }
    return best;
}

int32_t model_named(const DeviceDatabase& database, std::string_view name) {
    for (int32_t number = 1; number <= database.model_count(); ++number) {
        if (same_name(database.model(number)->name, name)) {
            return number;
        }
    }
    return 0;
}

}  // namespace picprog::bench
