#pragma once

namespace picprog {

// The exit status of quellmark-picprog-cli, so that scripts and Makefiles can
// tell the kinds of failure apart.
enum class ExitStatus : int {
    Success = 0,
    Differences = 1,      // Verify or Blank Check found differences; check-db found problems
    UsageError = 2,       // bad arguments, an unreadable file or device database, a broken list
    PortUnavailable = 3,  // the hardware port cannot be opened
    RulesBroken = 4,      // the simulated chip saw its programming rules broken
};

constexpr int exit_code(ExitStatus status) {
    return static_cast<int>(status);
}

}  // namespace picprog
