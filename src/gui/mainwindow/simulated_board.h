#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "core/hardware/port_backend.h"

namespace picprog {

// The simulated programmer board, wired like the default board and
// answering at `port_base`, with the simulated part named like the model
// (an unknown name gets a generic part). With `real_time` the board's waits
// really take their time, as a person watching the window expects.
std::unique_ptr<PortBackend> make_simulated_board(std::string_view model_name, int32_t port_base,
                                                  bool real_time);

}  // namespace picprog
