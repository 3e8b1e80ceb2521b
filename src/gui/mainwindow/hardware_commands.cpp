#include "gui/mainwindow/hardware_commands.h"

#include <QAction>
#include <fstream>

#include "core/files/write_target.h"
#include "core/hardware/hardware_backend.h"
#include "core/hardware/line_trace_backend.h"
#include "core/hardware/null_backend.h"
#include "core/hardware/port_diagnostics.h"
#include "core/hardware/traced_port.h"
#include "core/sim/simulated_programmer.h"
#include "gui/mainwindow/file_chooser.h"
#include "gui/mainwindow/main_window.h"

namespace picprog {
namespace {

constexpr std::string_view kSimulatedOn = "1";
constexpr std::string_view kSimulatedOff = "0";

// Time stamps for a trace: the simulated board's own clock, so the trace
// shows the waits as the board made them; a real clock for a real port.
MicrosecondClock trace_clock(PortBackend& port) {
    if (auto* board = dynamic_cast<SimulatedProgrammer*>(&port); board != nullptr) {
        return [board] { return board->now_us(); };
    }
    return real_microsecond_clock();
}

}  // namespace

HardwareCommands::HardwareCommands(MainWindow& window, Programmer& programmer,
                                   SettingsStore& settings, PortBackendMakers makers,
                                   bool simulated)
    : QObject(&window),
      window_(window),
      programmer_(programmer),
      settings_(settings),
      makers_(std::move(makers)),
      simulated_(simulated) {
    const MainWindowControls& c = window_.controls();
    connect(c.menusimulated, &QAction::triggered, this, &HardwareCommands::choose_simulated);
    connect(c.menudiagnostics, &QAction::triggered, this, &HardwareCommands::show_port_diagnostics);
    connect(c.menutrace, &QAction::triggered, this, &HardwareCommands::record_line_trace);
}

bool HardwareCommands::recording() const {
    return dynamic_cast<TracedPort*>(&programmer_.backend()) != nullptr;
}

void HardwareCommands::show_choice() {
    window_.set_simulated(simulated_);
    window_.controls().menusimulated->setChecked(simulated_);
    window_.controls().menutrace->setChecked(recording());
}

StatusText HardwareCommands::attach() {
    StatusText status = attach_port_backend(programmer_, makers_, simulated_);
    programmer_.driver().all_lines_off();
    show_choice();
    return status;
}

void HardwareCommands::choose_simulated(bool simulated) {
    if (window_.busy() || simulated == simulated_) {
        show_choice();
        return;
    }
    programmer_.driver().all_lines_off();
    // A trace's time stamps come from the back end it records, so it ends
    // with that back end.
    stop_trace();
    simulated_ = simulated;
    settings_.save_setting(setting::kSimulatedProgrammer,
                           simulated_ ? kSimulatedOn : kSimulatedOff);
    window_.set_status(attach());
}

void HardwareCommands::refit_simulated_chip() {
    if (!simulated_) {
        return;
    }
    programmer_.driver().all_lines_off();
    stop_trace();
    // The status line stays as the model change left it.
    attach();
}

void HardwareCommands::show_port_diagnostics() {
    if (window_.busy()) {
        return;
    }
    PortDiagnostics report;
    report.port_base = programmer_.line_settings.port_base;
    report.simulated = simulated_;
    // The port in use is asked itself: a second claim of it would wait for
    // this program to let go. Otherwise a fresh back end looks, and closes
    // the port again when it goes.
    if (auto* port = dynamic_cast<HardwareBackend*>(&untraced(programmer_.backend()));
        port != nullptr) {
        report.open_reason = port->open(report.port_base);
        report.findings = port->findings();
        window_.set_status(hardware_port_status(report.port_base, report.open_reason));
    } else {
        std::unique_ptr<HardwareBackend> probe = makers_.hardware();
        report.open_reason = probe->open(report.port_base);
        report.findings = probe->findings();
    }
    window_.msg_box(port_diagnostics_text(report), MsgKind::Information, kPortDiagnosticsTitle);
}

void HardwareCommands::record_line_trace(bool on) {
    if (window_.busy() || on == recording()) {
        show_choice();
        return;
    }
    if (on) {
        start_trace();
    } else {
        stop_trace();
    }
    show_choice();
}

void HardwareCommands::start_trace() {
    const std::string path = window_.file_chooser().trace_file(&window_, window_.last_path());
    if (path.empty()) {
        return;
    }
    // Written through a link like every other file; never onto a device.
    const WriteTarget target = resolve_write_target(path);
    auto file = std::make_unique<std::ofstream>();
    if (target.ok) {
        file->open(target.path, std::ios::binary | std::ios::trunc);
    }
    if (!file->is_open()) {
        window_.msg_box("The line trace file \"" + path + "\" cannot be written" +
                            (target.ok ? "" : ": " + target.reason) + ".",
                        MsgKind::Error, {});
        return;
    }
    std::unique_ptr<PortBackend> port = programmer_.swap_backend(std::make_unique<NullBackend>());
    MicrosecondClock clock = trace_clock(*port);
    programmer_.set_backend(std::make_unique<TracedPort>(std::move(port), programmer_.line_settings,
                                                         std::move(file), std::move(clock)));
    // The first record shows the lines as they stand.
    programmer_.driver().all_lines_off();
}

void HardwareCommands::stop_trace() {
    if (auto* traced = dynamic_cast<TracedPort*>(&programmer_.backend()); traced != nullptr) {
        programmer_.set_backend(traced->release_inner());
    }
}

}  // namespace picprog
