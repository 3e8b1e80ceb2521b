#include "gui/mainwindow/simulated_board.h"

#include "core/sim/chip_for_model.h"
#include "core/sim/simulated_programmer.h"

namespace picprog {

std::unique_ptr<PortBackend> make_simulated_board(const CurrentModel& model, int32_t port_base,
                                                  bool real_time) {
    CircuitWiring wiring;
    wiring.port_base = port_base;
    auto board = std::make_unique<SimulatedProgrammer>(chip_for_model(model), wiring);
    board->set_real_sleep(real_time);
    return board;
}

}  // namespace picprog
