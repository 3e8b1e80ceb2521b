#pragma once

#include <cstdint>

#include "core/devices/current_model.h"
#include "core/hardware/event_pump.h"
#include "core/hardware/line_settings.h"
#include "core/hardware/port_backend.h"

namespace picprog {

// Turns the five logical programmer lines (VDD, VPP, CLOCK, DATA OUT, DATA IN)
// into port register traffic, and clocks the chip's serial frames over them.
// This is the only code that touches the parallel port.
//
// Every line change updates one shadow bit and then flushes: both writable
// registers are written from the shadows and the status register is read
// back. Settings and shadow are held by reference and read at every
// operation, so a dialog's change (pin, inversion, port address) applies at
// the next line change without telling the driver. Nothing here reports
// errors: port accesses cannot fail as far as the driver can tell.
class LineDriver {
  public:
    // `settings`, `shadow` and `backend` must outlive the driver. `pump` runs
    // after every flush and at every yield of a frame; it may be empty.
    LineDriver(LineSettings& settings, PortShadow& shadow, PortBackend& backend,
               EventPump pump = {});

    // Routes every later access to `backend` (which must outlive its use).
    void set_backend(PortBackend& backend) { backend_ = &backend; }
    PortBackend& backend() { return *backend_; }
    void set_event_pump(EventPump pump);

    // Writes data to port_base, control to port_base + 2, reads port_base + 1
    // into the status shadow, then lets pending UI events run. Always all
    // three accesses, always in that order.
    void flush_port();

    // Line operations: drive the line to its logical level (through the
    // line's inversion flag), then flush.
    void vdd_on();
    void vdd_off();
    void vpp_on();
    void vpp_off();
    void clock_high();
    void clock_low();
    void dataout_high();
    void dataout_low();

    // Logical level of DATA IN, 0 or 1. Flushes first so the status is fresh.
    int32_t read_datain();

    // vdd_off, vpp_off, clock_low, dataout_low in that order (four flushes).
    void all_lines_off();

    // Applies the supplies in the model's order with 50 ms after each; does
    // nothing at all when the order is not set.
    void power_up(VoltageSequence sequence);
    // vdd_off, 50 ms, vpp_off, 50 ms, whatever the model's order.
    void power_down();

    // Clocks out a 6-bit command, LSB first, then leaves DATA OUT low.
    // Commands outside 0-63 touch nothing.
    void send_command(int32_t command);
    // A command followed by a 16-clock data frame: start bit, 14 data bits
    // LSB first, stop bit (22 clock pulses). Command outside 0-63 or data
    // outside 0-3FFFh touches nothing.
    void send_command_with_data(int32_t command, int32_t data);
    // A command followed by a 16-clock read frame; returns the 14-bit word
    // (0-3FFFh) sampled LSB first while CLOCK is high. Command outside 0-63
    // touches nothing and returns 0.
    int32_t send_command_read_data(int32_t command);

    // The pause the chip needs between a command and what follows (at least
    // 1 us). Touches no port register.
    void short_delay();

    // Lets pending UI events run once (no port access).
    void yield() {
        if (pump_) {
            pump_();
        }
    }

  private:
    // Drives `pin` to the logical level `on`, taking the circuit's
    // inversion flag into account, then flushes.
    void drive(int32_t pin, int32_t inverted, bool on);
    // One bit while CLOCK is high; the chip latches it on the falling edge.
    void clock_out_bit(bool bit);
    void clock_out_command(int32_t command);
    // A clock pulse with DATA OUT already settled (start and stop bits).
    void clock_pulse();

    LineSettings& settings_;
    PortShadow& shadow_;
    PortBackend* backend_;
    EventPump pump_;
};

}  // namespace picprog
