#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/hardware/line_driver.h"
#include "core/hardware/line_settings.h"
#include "core/hardware/recording_backend.h"
#include "core/settings/memory_backend.h"
#include "core/settings/settings_store.h"

namespace picprog::testing {

// Default line settings driving a recording port, with an in-memory store.
struct LineTestRig {
    // Last byte written to the data register, if any.
    std::optional<uint8_t> last_data() const {
        std::optional<uint8_t> found;
        for (const PortAccess& access : port.writes()) {
            if (access.address == lines.port_base) {
                found = access.value;
            }
        }
        return found;
    }
    // Every byte written to the data register, oldest first.
    std::vector<uint8_t> data_writes() const {
        std::vector<uint8_t> bytes;
        for (const PortAccess& access : port.writes()) {
            if (access.address == lines.port_base) {
                bytes.push_back(access.value);
            }
        }
        return bytes;
    }
    std::string stored(std::string_view name) const {
        const auto value = store.value("", name);
        if (!value) {
            return "<missing>";
        }
        const auto* text = std::get_if<std::string>(&*value);
        return text != nullptr ? *text : "<dword>";
    }

    LineSettings lines;
    PortShadow shadow;
    RecordingBackend port;
    LineDriver driver{lines, shadow, port};
    MemoryBackend store;
    SettingsStore settings{store};
};

// Data register bits of the default wiring.
constexpr uint8_t kDataOutBit = 0x01;  // pin 2, D0
constexpr uint8_t kClockBit = 0x02;    // pin 3, D1
constexpr uint8_t kVddBit = 0x04;      // pin 4, D2
constexpr uint8_t kVppBit = 0x08;      // pin 5, D3

}  // namespace picprog::testing
