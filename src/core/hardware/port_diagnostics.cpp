#include "core/hardware/port_diagnostics.h"

#include "core/hardware/lpt_ports.h"
#include "core/hardware/port_discovery.h"

namespace picprog {
namespace {

constexpr const char* kLineEnd = "\r\n";

std::string address_line(int32_t port_base) {
    std::string line = "Port address: " + port_address_text(port_base);
    if (port_number(port_base) != 0) {
        line += " (" + port_name(port_base) + ")";
    }
    return line + ".";
}

}  // namespace

std::string port_diagnostics_text(const PortDiagnostics& d) {
    std::string text = address_line(d.port_base) + kLineEnd;
    text += d.simulated ? "In use: the simulated programmer." : "In use: the parallel port.";
    text += kLineEnd;
    if (d.open_reason.empty()) {
        text += port_name(d.port_base) + " can be used." + kLineEnd;
    } else {
        text += port_unavailable_text(d.port_base, d.open_reason) + kLineEnd;
    }
    text += kLineEnd;
    text += "Found on this computer:";
    text += kLineEnd;
    for (const std::string& finding : d.findings) {
        text += "- " + finding + kLineEnd;
    }
    if (d.findings.empty()) {
        text += "- nothing that reaches a parallel port.";
        text += kLineEnd;
    }
    if (!d.open_reason.empty() && !d.simulated) {
        text += kLineEnd;
        text +=
            "To try the program without a programmer, tick Simulated Programmer in the "
            "Hardware menu.";
        text += kLineEnd;
    }
    // Strip the last line end: the box adds its own margins.
    text.resize(text.size() - 2);
    return text;
}

}  // namespace picprog
