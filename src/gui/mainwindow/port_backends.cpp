#include "gui/mainwindow/port_backends.h"

#include "gui/mainwindow/simulated_board.h"

namespace picprog {

PortBackendMakers default_port_backend_makers() {
    PortBackendMakers makers;
    makers.simulated = [](const CurrentModel& model, int32_t port_base) {
        return make_simulated_board(model, port_base, true);
    };
    makers.hardware = [] { return make_hardware_backend(); };
    return makers;
}

StatusText hardware_port_status(int32_t port_base, std::string_view reason) {
    if (!reason.empty()) {
        return {port_unavailable_text(port_base, reason) +
                    " Tick Simulated Programmer in the Hardware menu to try the program without "
                    "one.",
                port_name(port_base) + " not available. See Hardware > Port Diagnostics."};
    }
    return {port_number(port_base) == 0 ? std::string() : port_name(port_base) + " ready", {}};
}

StatusText attach_port_backend(Programmer& programmer, const PortBackendMakers& makers,
                               bool simulated) {
    const int32_t base = programmer.line_settings.port_base;
    if (simulated) {
        programmer.set_backend(makers.simulated(programmer.model, base));
        return {port_number(base) == 0 ? std::string()
                                       : port_name(base) + " ready (simulated programmer)",
                {}};
    }
    std::unique_ptr<HardwareBackend> port = makers.hardware();
    const std::string reason = port->open(base);
    programmer.set_backend(std::move(port));
    return hardware_port_status(base, reason);
}

}  // namespace picprog
