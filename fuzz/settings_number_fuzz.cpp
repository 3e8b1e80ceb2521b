// The settings store and the leading-number rule on arbitrary text: values
// of up to 254 characters read back unchanged, longer ones give the default,
// and the model index chosen at start-up is always a valid model number.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/devices/startup_selection.h"
#include "core/memory/decimal_text.h"
#include "core/settings/memory_backend.h"
#include "core/settings/settings_store.h"

namespace {

void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    const int32_t number = picprog::leading_number(text);
    const double exact = picprog::leading_decimal(text);
    require(std::isfinite(exact) || text.size() > 300);
    if (std::fabs(exact) < 1e9) {
        require(number == static_cast<int32_t>(std::nearbyint(exact)));
    }

    picprog::MemoryBackend backend;
    picprog::SettingsStore store(backend);
    store.save_setting("Value", text);
    const std::string back = store.get_setting("Value", "default");
    require(text.size() <= picprog::SettingsStore::kMaxStringLength ? back == text
                                                                     : back == "default");

    store.save_setting(picprog::setting::kMicrocontrollerModel, text);
    const int32_t index = picprog::startup_model_index(store, 7);
    require(index >= 1 && index <= 7);
    return 0;
}
