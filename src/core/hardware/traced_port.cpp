#include "core/hardware/traced_port.h"

namespace picprog {

TracedPort::TracedPort(std::unique_ptr<PortBackend> inner, const LineSettings& settings,
                       std::ostream& out, MicrosecondClock clock)
    : out_(out), inner_(std::move(inner)), trace_(*inner_, settings, out_, std::move(clock)) {}

TracedPort::TracedPort(std::unique_ptr<PortBackend> inner, const LineSettings& settings,
                       std::unique_ptr<std::ostream> owned_out, MicrosecondClock clock)
    : owned_out_(std::move(owned_out)),
      out_(*owned_out_),
      inner_(std::move(inner)),
      trace_(*inner_, settings, out_, std::move(clock)) {}

std::unique_ptr<PortBackend> TracedPort::release_inner() {
    out_.flush();
    return std::move(inner_);
}

PortBackend& untraced(PortBackend& port) {
    auto* traced = dynamic_cast<TracedPort*>(&port);
    return traced != nullptr ? traced->inner() : port;
}

}  // namespace picprog
