#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace picprog {

// What the port diagnostics report on.
struct PortDiagnostics {
    int32_t port_base = 0;
    bool simulated = false;             // the simulated programmer is in use
    std::string open_reason;            // why the hardware port did not open; empty when it did
    std::vector<std::string> findings;  // the hardware back end's findings
};

// The port diagnostics as one text for a message box: the address in use,
// which programmer is in use, whether the hardware port can be used and why
// not, everything the back end found, and how to go on without a port.
std::string port_diagnostics_text(const PortDiagnostics& diagnostics);

}  // namespace picprog
