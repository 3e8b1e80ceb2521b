#include "cli/chip_session.h"

#include "cli/chip_commands.h"
#include "cli/database_search.h"
#include "cli/model_choice.h"
#include "cli/port_choice.h"
#include "cli/sim_state_file.h"
#include "core/devices/startup_selection.h"
#include "core/files/atomic_file_write.h"
#include "core/files/file_read.h"
#include "core/files/write_target.h"
#include "core/hardware/hardware_backend.h"
#include "core/hardware/lpt_ports.h"
#include "core/hardware/null_backend.h"
#include "core/hardware/traced_port.h"
#include "core/memory/decimal_text.h"
#include "core/sim/chip_for_model.h"
#include "core/sim/fault_spec.h"

namespace picprog {
namespace {

constexpr double kMicrosecondsPerSecond = 1e6;

int32_t stored_number(SettingsStore& settings, std::string_view name, std::string_view fallback) {
    return leading_number(settings.get_setting(name, fallback));
}

}  // namespace

void print_model_warning(const CurrentModel& model, std::ostream& err) {
    if (!model.warning.empty()) {
        err << "Warning: " << model.warning << "\n";
    }
}

ChipSession::ChipSession(const CliContext& context)
    : context_(context),
      settings_backend_(tool_settings_path(context.environment),
                        tool_settings_options(context.console)),
      settings_(settings_backend_),
      programmer_(std::make_unique<NullBackend>()) {}

std::optional<ExitStatus> ChipSession::select_model(const ChipOptions& options) {
    std::ostream& err = context_.console.err;
    const std::vector<std::filesystem::path> candidates =
        options.database.empty()
            ? database_candidates(user_config_folder(context_.environment), context_.program_folder)
            : std::vector<std::filesystem::path>{options.database};
    DatabaseSearch search = find_database(candidates);
    if (search.result.status != DatabaseLoadStatus::Ok) {
        err << database_failure_text(search, "\n");
        return ExitStatus::UsageError;
    }
    database_file_ = search.file;
    programmer_.database = std::move(search.result.database);

    int32_t index = 0;
    if (options.model.empty() || is_auto_model(options.model)) {
        // With "auto" the stored model only gives the supply order to try first.
        index = startup_model_index(settings_, programmer_.database.model_count());
    } else if (const auto found = find_model(programmer_.database, options.model)) {
        index = *found;
    } else {
        err << "Unknown model \"" << options.model << "\" in " << database_file_.string()
            << ".\nRun \"quellmark-picprog-cli list-models\" to see the models.\n";
        return ExitStatus::UsageError;
    }
    programmer_.select(index);
    if (!is_auto_model(options.model)) {
        print_model_warning(programmer_.model, err);
    }
    return std::nullopt;
}

std::optional<ExitStatus> ChipSession::read_line_settings(const ChipOptions& options) {
    // Read in the order the desktop program reads them at start-up, so a
    // first run creates the same values.
    LineSettings& s = programmer_.line_settings;
    s.port_base = stored_number(settings_, setting::kParallelPortAddress, "888");
    s.vdd_inverted = stored_number(settings_, setting::kInvertVdd, "0");
    s.vpp_inverted = stored_number(settings_, setting::kInvertVpp, "0");
    s.clock_inverted = stored_number(settings_, setting::kInvertClock, "1");
    s.dataout_inverted = stored_number(settings_, setting::kInvertDataOut, "1");
    s.datain_inverted = stored_number(settings_, setting::kInvertDataIn, "1");
    s.vdd_pin = stored_number(settings_, setting::kVddPinNum, "4");
    s.vpp_pin = stored_number(settings_, setting::kVppPinNum, "5");
    s.clock_pin = stored_number(settings_, setting::kClockPinNum, "3");
    s.dataout_pin = stored_number(settings_, setting::kDataOutPinNum, "2");
    s.datain_pin = stored_number(settings_, setting::kDataInPinNum, "10");
    if (!options.port.empty()) {
        const std::optional<int32_t> base = parse_port_argument(options.port);
        if (!base) {
            context_.console.err << "--port: \"" << options.port
                                 << "\" is neither 1, 2 or 3 nor an I/O address such as 888, "
                                    "0x378 or 378h.\n";
            return ExitStatus::UsageError;
        }
        s.port_base = *base;
    }
    programmer_.shadow = PortShadow{};
    // The window's Options entry: off for boards that cannot read.
    programmer_.check_device_id = settings_.get_setting(setting::kCheckDeviceId, "1") != "0";
    return std::nullopt;
}

std::optional<ExitStatus> ChipSession::prepare(const ChipOptions& options) {
    if (auto failed = select_model(options)) {
        return failed;
    }
    return read_line_settings(options);
}

std::optional<ExitStatus> ChipSession::attach_port(const ChipOptions& options) {
    if (!options.sim_faults.empty() && !options.simulate) {
        context_.console.err << "--sim-fault works on the simulated programmer only: add "
                                "--simulate.\n";
        return ExitStatus::UsageError;
    }
    if (auto failed = open_trace(options)) {
        return failed;
    }
    auto failed = options.simulate ? attach_simulated(options) : attach_hardware(options);
    if (failed) {
        return failed;
    }
    programmer_.driver().all_lines_off();
    return std::nullopt;
}

std::optional<ExitStatus> ChipSession::open_trace(const ChipOptions& options) {
    if (options.trace.empty()) {
        return std::nullopt;
    }
    // Written through a link like every other file; never onto a device.
    const WriteTarget target = resolve_write_target(options.trace);
    if (target.ok) {
        trace_file_.open(target.path, std::ios::binary | std::ios::trunc);
    }
    if (!trace_file_.is_open()) {
        context_.console.err << "The line trace " << options.trace << " cannot be written"
                             << (target.ok ? "" : ": " + target.reason) << ".\n";
        return ExitStatus::UsageError;
    }
    return std::nullopt;
}

std::optional<ExitStatus> ChipSession::attach_simulated(const ChipOptions& options) {
    std::ostream& err = context_.console.err;
    const CurrentModel& model = programmer_.model;
    std::optional<ChipState> state;
    state_file_ = options.state_file;
    if (!state_file_.empty() && std::filesystem::exists(state_file_)) {
        const FileReadResult file = read_whole_file(state_file_, kChipStateLimit);
        if (!file.ok) {
            err << "The simulated chip " << state_file_ << " cannot be read: " << file.reason
                << "\n";
            return ExitStatus::UsageError;
        }
        ChipStateParse parsed = parse_chip_state(file.bytes);
        if (!parsed.state) {
            err << state_file_ << ":" << parsed.line << ": " << parsed.error << "\n";
            return ExitStatus::UsageError;
        }
        state = std::move(parsed.state);
    }
    const ChipVariant variant = state ? chip_variant_of(*state) : chip_for_model(model);
    const ChipVariant expected = chip_for_model(model);
    if (variant.name != expected.name) {
        // Like a real socket: the chip stays what it is whatever model is
        // chosen; say so, since the results will surprise otherwise.
        err << "Note: the simulated socket of " << state_file_ << " holds a " << variant.name
            << ", not a " << expected.name << "; delete the file for a fresh chip.\n";
    }
    SimulatorFaults faults;
    for (const std::string& spec : options.sim_faults) {
        const std::string problem = add_fault(spec, faults);
        if (!problem.empty()) {
            err << "--sim-fault: " << problem << "\n";
            return ExitStatus::UsageError;
        }
    }
    CircuitWiring wiring;
    wiring.port_base = programmer_.line_settings.port_base;
    auto board = std::make_unique<SimulatedProgrammer>(variant, wiring);
    board->set_faults(faults);
    if (state) {
        apply_chip_state(*state, board->chip());
    }
    if (trace_file_.is_open()) {
        trace_ = std::make_unique<VcdTrace>(trace_file_);
        board->set_trace(trace_.get());
    }
    board_ = board.get();
    // Elapsed times are the simulated hardware's own: what the run would
    // take on a real programmer, the same on every machine.
    programmer_.clock = [board = board_] {
        return static_cast<double>(board->now_us()) / kMicrosecondsPerSecond;
    };
    programmer_.set_backend(std::move(board));
    return std::nullopt;
}

std::optional<ExitStatus> ChipSession::attach_hardware(const ChipOptions& options) {
    (void)options;
    const int32_t base = programmer_.line_settings.port_base;
    std::unique_ptr<HardwareBackend> port = make_hardware_backend();
    const std::string reason = port->open(base);
    if (!reason.empty()) {
        context_.console.err << port_unavailable_text(base, reason)
                             << " Use --simulate to try the program without one.\n";
        return ExitStatus::PortUnavailable;
    }
    if (trace_file_.is_open()) {
        programmer_.set_backend(std::make_unique<TracedPort>(
            std::move(port), programmer_.line_settings, trace_file_, real_microsecond_clock()));
    } else {
        programmer_.set_backend(std::move(port));
    }
    return std::nullopt;
}

std::optional<ExitStatus> ChipSession::save_chip_state() {
    if (board_ == nullptr || state_file_.empty()) {
        return std::nullopt;
    }
    const FileWriteResult written =
        write_file_atomically(state_file_, chip_state_text(capture_chip_state(board_->chip())));
    if (!written.ok) {
        context_.console.err << "The simulated chip " << state_file_
                             << " cannot be written: " << written.reason << "\n";
        return ExitStatus::UsageError;
    }
    return std::nullopt;
}

}  // namespace picprog
