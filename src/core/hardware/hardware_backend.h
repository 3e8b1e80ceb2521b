#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/hardware/port_backend.h"

namespace picprog {

// The back end that reaches a real parallel port: ppdev on Linux, the
// InpOut library on Windows. Register accesses go to the port whose base
// address they name (base + 0 data, + 1 status, + 2 control); an access to
// another base reopens the port at that base first, so a change of port
// address takes effect at the next transfer. While no port is open, writes
// are dropped and reads answer 0.
class HardwareBackend : public PortBackend {
public:
    // Opens the port with this base address (closing any other). Returns the
    // empty text on success, else a plain reason for the user.
    virtual std::string open(int32_t port_base) = 0;
    virtual bool is_open() const = 0;
    // Why the last open failed (empty after a success).
    virtual std::string last_error() const = 0;
    // What this back end finds on the machine, one line each, for the port
    // diagnostics: the ports with their addresses and device files, the
    // drivers involved, and whatever looks like a port but cannot be used.
    virtual std::vector<std::string> findings() = 0;
};

// The hardware back end of this platform, not yet opened.
std::unique_ptr<HardwareBackend> make_hardware_backend();

}  // namespace picprog
