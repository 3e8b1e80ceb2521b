#include "core/hardware/port_diagnostics.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/hardware/lpt_ports.h"

namespace picprog {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST(PortDiagnosticsText, AMissingPortGivesReasonFindingsAndTheWayOut) {
    PortDiagnostics d;
    d.port_base = 0x378;
    d.open_reason =
        "no parallel port found (the parport driver is not loaded: sudo modprobe "
        "parport_pc ppdev)";
    d.findings = {"Parallel ports: none."};
    EXPECT_EQ(port_diagnostics_text(d),
              "Port address: 378h (Parallel port 1).\r\n"
              "In use: the parallel port.\r\n"
              "Parallel port 1 not available: no parallel port found (the parport driver is not "
              "loaded: sudo modprobe parport_pc ppdev).\r\n"
              "\r\n"
              "Found on this computer:\r\n"
              "- Parallel ports: none.\r\n"
              "\r\n"
              "To try the program without a programmer, tick Simulated Programmer in the "
              "Hardware menu.");
}

TEST(PortDiagnosticsText, AUsablePortAndTheSimulatedProgrammerNeedNoAdvice) {
    PortDiagnostics d;
    d.port_base = 0xD010;
    d.simulated = true;
    const std::string text = port_diagnostics_text(d);
    EXPECT_THAT(text, HasSubstr("Port address: D010h.\r\n"));
    EXPECT_THAT(text, HasSubstr("In use: the simulated programmer."));
    EXPECT_THAT(text, HasSubstr("Parallel port at address 53264 can be used."));
    EXPECT_THAT(text, HasSubstr("- nothing that reaches a parallel port."));
    EXPECT_THAT(text, Not(HasSubstr("tick Simulated Programmer")));
}

TEST(PortUnavailableText, EndsWithExactlyOnePeriod) {
    EXPECT_EQ(port_unavailable_text(0x278, "permission denied. "),
              "Parallel port 2 not available: permission denied.");
    EXPECT_EQ(port_unavailable_text(0x3BC, "busy"), "Parallel port 3 not available: busy.");
}

}  // namespace
}  // namespace picprog
