#pragma once

#include <signal.h>

#include <array>
#include <string_view>

namespace picprog {

// Catches SIGINT (Ctrl-C), SIGTERM (kill, timeout) and SIGHUP (terminal
// closed) while it lives, and puts the handlers before it back after. The
// first signal is only recorded: the running operation sees it at its next
// step through caught_stop_signal(), asks the engine to stop (which powers
// the chip down), and the tool then saves the simulated chip, closes the
// line trace and exits with 128 + the signal number. A second signal ends
// the process at once, for a tool that does not stop.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    std::array<struct sigaction, 3> previous_{};  // SIGINT, SIGTERM, SIGHUP
};

// The number of the first stop signal caught, or 0 when none was.
int caught_stop_signal();

// "SIGINT", "SIGTERM" or "SIGHUP"; "signal" for any other number.
std::string_view stop_signal_name(int signal_number);

// The exit status for a run ended by a signal, as shells report it.
constexpr int kSignalExitBase = 128;

}  // namespace picprog
