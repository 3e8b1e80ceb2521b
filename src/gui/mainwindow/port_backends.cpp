#include "gui/mainwindow/port_backends.h"

#include "gui/mainwindow/simulated_board.h"

namespace picprog {
namespace {

std::string port_name(int32_t port_base) {
    const int number = port_number(port_base);
    if (number == 0) {
        return "Parallel port at address " + std::to_string(port_base);
    }
    return "Parallel port " + std::to_string(number);
}

std::string without_final_period(std::string_view text) {
    while (!text.empty() && (text.back() == '.' || text.back() == ' ')) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

}  // namespace

PortBackendMakers default_port_backend_makers() {
    PortBackendMakers makers;
    makers.simulated = [](const CurrentModel& model, int32_t port_base) {
        return make_simulated_board(model.name, port_base, true);
    };
    makers.hardware = [] { return make_hardware_backend(); };
    return makers;
}

std::string attach_port_backend(Programmer& programmer, const PortBackendMakers& makers,
                                bool simulated) {
    const int32_t base = programmer.line_settings.port_base;
    if (simulated) {
        programmer.set_backend(makers.simulated(programmer.model, base));
        return port_number(base) == 0 ? std::string()
                                      : port_name(base) + " ready (simulated programmer)";
    }
    std::unique_ptr<HardwareBackend> port = makers.hardware();
    const std::string reason = port->open(base);
    programmer.set_backend(std::move(port));
    if (!reason.empty()) {
        return port_name(base) + " not available: " + without_final_period(reason) +
               ". Use --simulate to try the program without one.";
    }
    return port_number(base) == 0 ? std::string() : port_name(base) + " ready";
}

}  // namespace picprog
