#include "cli/stop_signals.h"

#include <signal.h>
#include <unistd.h>

#include <csignal>

namespace picprog {
namespace {

constexpr std::array<int, 3> kStopSignals = {SIGINT, SIGTERM, SIGHUP};

// The one piece of process-wide state the tool keeps: a signal handler can
// reach nothing else. Written only by the handler, read by the operation.
volatile std::sig_atomic_t g_caught_signal = 0;

extern "C" void on_stop_signal(int signal_number) {
    if (g_caught_signal != 0) {
        // Only async-signal-safe calls here: write(2) and _exit(2).
        constexpr std::string_view kAtOnce =
            "quellmark-picprog-cli: second signal, ending at once.\n";
        (void)!::write(STDERR_FILENO, kAtOnce.data(), kAtOnce.size());
        ::_exit(kSignalExitBase + signal_number);
    }
    g_caught_signal = signal_number;
}

}  // namespace

StopSignals::StopSignals() {
    g_caught_signal = 0;
    struct sigaction action {};
    action.sa_handler = on_stop_signal;
    sigemptyset(&action.sa_mask);
    // Blocking calls go on after the handler; the flag is looked at between steps.
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < kStopSignals.size(); ++i) {
        ::sigaction(kStopSignals[i], &action, &previous_[i]);
    }
}

StopSignals::~StopSignals() {
    for (size_t i = 0; i < kStopSignals.size(); ++i) {
        ::sigaction(kStopSignals[i], &previous_[i], nullptr);
    }
}

int caught_stop_signal() {
    return g_caught_signal;
}

std::string_view stop_signal_name(int signal_number) {
    switch (signal_number) {
        case SIGINT:
            return "SIGINT";
        case SIGTERM:
            return "SIGTERM";
        case SIGHUP:
            return "SIGHUP";
        default:
            return "signal";
    }
}

}  // namespace picprog
