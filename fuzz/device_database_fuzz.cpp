// Feeds arbitrary bytes to the device database loader, then makes every
// model current and checks its lists, as start-up and the checker would.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/devices/current_model.h"
#include "core/devices/device_loader.h"
#include "core/engine/algorithm_check.h"
#include "core/memory/memory_image.h"

namespace {

void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const picprog::DatabaseLoadResult result = picprog::parse_device_database(text);
    require(result.database.model_count() <= picprog::kMaxModels);
    require((result.status == picprog::DatabaseLoadStatus::NoModels) ==
            (result.database.model_count() == 0));
    for (const auto& diagnostic : result.diagnostics) {
        require(diagnostic.line >= 1 && !diagnostic.reason.empty());
    }
    picprog::CurrentModel current;
    for (int32_t index = 1; index <= result.database.model_count(); ++index) {
        current.index = index;
        picprog::select_model(current, result.database);
        for (const auto& list : current.lists) {
            require(!list.empty());
            picprog::check_instruction_list(list, current.page_size);
        }
        // Keep the image small: the sizes come from the input.
        if (current.flash_size <= 0x2000 && current.eeprom_size <= 0x1000) {
            picprog::MemoryImage image;
            image.blank_image(current);
            require(image.flash.size() == static_cast<size_t>(std::max(current.flash_size, 0)));
        }
    }
    return 0;
}
