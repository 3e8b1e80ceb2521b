#pragma once

#include <cstdint>

#include "core/hardware/port_backend.h"

namespace picprog {

// A back end that does nothing: writes vanish, every read answers 0 and no
// wait takes any time. For measuring the driver's own cost.
class NullBackend : public PortBackend {
  public:
    void write(int32_t /*address*/, uint8_t /*value*/) override {}
    uint8_t read(int32_t /*address*/) override { return 0; }
    void sleep_ms(int32_t /*ms*/) override {}
    void delay_us(int32_t /*us*/) override {}
};

}  // namespace picprog
