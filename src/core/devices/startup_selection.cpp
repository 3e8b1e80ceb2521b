#include "core/devices/startup_selection.h"

#include "core/memory/decimal_text.h"

namespace picprog {

int32_t startup_model_index(SettingsStore& settings, int32_t model_count) {
    const int32_t index =
        leading_number(settings.get_setting(setting::kMicrocontrollerModel, "1"));
    if (index < 1 || index > model_count) {
        settings.save_setting(setting::kMicrocontrollerModel, "1");
        return 1;
    }
    return index;
}

}  // namespace picprog
