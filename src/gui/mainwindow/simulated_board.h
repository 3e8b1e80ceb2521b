#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "core/devices/current_model.h"
#include "core/hardware/port_backend.h"

namespace picprog {

// The simulated programmer board, wired like the default board and
// answering at `port_base`, with the model's part in its socket (a model
// the simulator does not know by name gets a generic part of its sizes).
// With `real_time` the board's waits really take their time, as a person
// watching the window expects.
std::unique_ptr<PortBackend> make_simulated_board(const CurrentModel& model, int32_t port_base,
                                                  bool real_time);

}  // namespace picprog
