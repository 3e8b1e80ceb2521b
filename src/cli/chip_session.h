#pragma once

#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "cli/cli_context.h"
#include "cli/exit_status.h"
#include "cli/tool_settings.h"
#include "core/engine/programmer.h"
#include "core/settings/settings_store.h"
#include "core/sim/simulated_programmer.h"
#include "core/trace/vcd_trace.h"

namespace picprog {

// Prints the model's "warning:" text as "Warning: TEXT" on `err`; nothing
// when the model has none.
void print_model_warning(const CurrentModel& model, std::ostream& err);

// Everything one command works with: the settings the desktop program
// shares, the programmer object with its database, model and port, and the
// files a simulated chip and a line trace are kept in. Each step prints why
// it failed on standard error and answers the exit status to end with, or
// nullopt when the command may go on.
class ChipSession {
public:
    explicit ChipSession(const CliContext& context);
    ChipSession(const ChipSession&) = delete;
    ChipSession& operator=(const ChipSession&) = delete;

    // Loads the device database (--db, or the first one found) and makes
    // the model current (--model, or the stored "Microcontroller Model").
    // A named model's caution is printed at once, before the port is
    // touched; with --model auto the chip decides, and the caution follows
    // the identification.
    std::optional<ExitStatus> select_model(const ChipOptions& options);
    // Reads the port address and the lines' pins and inversions from the
    // settings; --port overrides the address for this run only.
    std::optional<ExitStatus> read_line_settings(const ChipOptions& options);
    // Gives the programmer its back end: the hardware port (opened, or exit
    // status 3 with the reason) or the simulated board with its chip taken
    // from the state file; with --trace every line change is recorded.
    // Drives the output lines to their idle levels.
    std::optional<ExitStatus> attach_port(const ChipOptions& options);
    // select_model, then read_line_settings: what every chip command needs
    // before its port.
    std::optional<ExitStatus> prepare(const ChipOptions& options);
    // Writes the simulated chip back to its state file (when one is used).
    std::optional<ExitStatus> save_chip_state();

    Programmer& programmer() { return programmer_; }
    SettingsStore& settings() { return settings_; }
    const std::filesystem::path& database_file() const { return database_file_; }

private:
    std::optional<ExitStatus> attach_simulated(const ChipOptions& options);
    std::optional<ExitStatus> attach_hardware(const ChipOptions& options);
    std::optional<ExitStatus> open_trace(const ChipOptions& options);

    const CliContext& context_;
    QtSettingsBackend settings_backend_;
    SettingsStore settings_;
    std::filesystem::path database_file_;
    std::ofstream trace_file_;
    std::unique_ptr<VcdTrace> trace_;
    std::string state_file_;
    SimulatedProgrammer* board_ = nullptr;  // owned by programmer_ while simulated
    // Last, so it goes first: its back end may still refer to the trace.
    Programmer programmer_;
};

}  // namespace picprog
