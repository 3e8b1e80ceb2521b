#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/devices/current_model.h"
#include "core/engine/programmer.h"
#include "core/hardware/hardware_backend.h"
#include "core/hardware/lpt_ports.h"
#include "core/hardware/port_backend.h"
#include "gui/mainwindow/status_summary.h"

namespace picprog {

// How the window gets its port back ends; tests substitute both makers.
struct PortBackendMakers {
    // The simulated programmer board with a chip of the model in its
    // socket, answering at `port_base`.
    std::function<std::unique_ptr<PortBackend>(const CurrentModel& model, int32_t port_base)>
        simulated;
    // This platform's hardware back end, not yet opened.
    std::function<std::unique_ptr<HardwareBackend>()> hardware;
};

// The real makers: the simulated board waits in real time, so a person
// watching sees an operation take as long as on real hardware.
PortBackendMakers default_port_backend_makers();

// The status line for the hardware port at `port_base` after trying to
// open it: "Parallel port N ready", empty for an address other than the
// three known ones, or, when `reason` says why it did not open, a sentence
// saying so and how to go on without a port, with a short form that sends
// the user to Port Diagnostics for the reason.
StatusText hardware_port_status(int32_t port_base, std::string_view reason);

// Gives the programmer its back end for the port in its line settings:
// the simulated board, or the hardware port opened at that address.
// Returns the status line text: as hardware_port_status, with
// " (simulated programmer)" after "ready" for the simulated board.
StatusText attach_port_backend(Programmer& programmer, const PortBackendMakers& makers,
                               bool simulated);

}  // namespace picprog
