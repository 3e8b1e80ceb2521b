#include "gui/mainwindow/dialog_commands.h"

#include <QAction>

#include "core/hardware/hardware_backend.h"
#include "core/hardware/traced_port.h"
#include "core/sim/simulated_programmer.h"
#include "gui/dialogs/check_hardware_dialog.h"
#include "gui/dialogs/hardware_settings_dialog.h"
#include "gui/dialogs/port_options.h"
#include "gui/dialogs/select_model_dialog.h"
#include "gui/dialogs/theme_dialog.h"
#include "gui/mainwindow/clickable_label.h"
#include "gui/mainwindow/main_window.h"
#include "gui/mainwindow/port_backends.h"

namespace picprog {
namespace {

constexpr std::string_view kSimulatedSuffix = " (simulated programmer)";

}  // namespace

DialogCommands::DialogCommands(MainWindow& window, Programmer& programmer, SettingsStore& settings,
                               ThemeState& theme, MessageBoxes& boxes)
    : QObject(&window),
      window_(window),
      programmer_(programmer),
      settings_(settings),
      theme_(theme),
      prompter_(boxes, window, theme) {
    const MainWindowControls& c = window_.controls();
    connect(c.menumodel, &QAction::triggered, this, &DialogCommands::change_model);
    for (ClickableLabel* label : {c.label1, c.label_ime, c.label_info}) {
        connect(label, &ClickableLabel::clicked, this, &DialogCommands::change_model);
    }
    connect(c.menusettings, &QAction::triggered, this, &DialogCommands::hardware_settings);
    connect(c.menucheck, &QAction::triggered, this, &DialogCommands::check_hardware);
    connect(c.menuport, &QAction::triggered, this, &DialogCommands::change_port);
    connect(c.menuprogtime, &QAction::triggered, this, &DialogCommands::change_programming_time);
    connect(c.menucolors, &QAction::triggered, this, &DialogCommands::change_theme);
    connect(c.menuportinfo, &QAction::triggered, this, &DialogCommands::show_pinout);
    // Connected first, so the caution comes before anything else reacts to
    // the new model.
    connect(this, &DialogCommands::model_changed, this, &DialogCommands::warn_about_model);
}

void DialogCommands::change_model() {
    if (window_.busy()) {
        return;
    }
    const int32_t before = programmer_.model.index;
    show_select_model_dialog(&window_, programmer_.model, programmer_.database, settings_,
                             theme_.theme, [this] { window_.pump_events(); });
    window_.clear_buffer();
    if (programmer_.model.index != before) {
        emit model_changed();
    }
}

void DialogCommands::select_model_number(int32_t number) {
    if (number == programmer_.model.index || programmer_.database.model(number) == nullptr) {
        return;
    }
    settings_.save_setting(setting::kMicrocontrollerModel, std::to_string(number));
    programmer_.model.index = number;
    select_model(programmer_.model, programmer_.database);
    window_.clear_buffer();
    emit model_changed();
}

void DialogCommands::warn_about_model() {
    if (!programmer_.model.warning.empty()) {
        window_.msg_box(programmer_.model.warning, MsgKind::Warning, "");
    }
}

void DialogCommands::hardware_settings() {
    if (window_.busy()) {
        return;
    }
    HardwareSettingsDialog dialog(&window_, programmer_.line_settings, programmer_.driver(),
                                  settings_, prompter_);
    dialog.exec();
}

void DialogCommands::check_hardware() {
    if (window_.busy()) {
        return;
    }
    CheckHardwareDialog dialog(&window_, programmer_.line_settings, programmer_.driver());
    dialog.exec();
}

void DialogCommands::change_port() {
    if (window_.busy()) {
        return;
    }
    std::optional<std::string> status =
        change_port_number(programmer_.line_settings, settings_, prompter_);
    if (!status) {
        return;
    }
    // A real port reopens itself at the new address on the next transfer;
    // trying it now keeps the status line from calling a missing port ready.
    // The simulated programmer says so, as it does at start-up.
    PortBackend& active = untraced(programmer_.backend());
    if (auto* port = dynamic_cast<HardwareBackend*>(&active); port != nullptr) {
        const int32_t base = programmer_.line_settings.port_base;
        if (const std::string reason = port->open(base); !reason.empty()) {
            window_.set_status(hardware_port_status(base, reason));
            return;
        }
    } else {
        // The simulated board goes wherever the user plugs it, so that the
        // status line's claim holds for it too.
        if (auto* board = dynamic_cast<SimulatedProgrammer*>(&active); board != nullptr) {
            CircuitWiring wiring = board->wiring();
            wiring.port_base = programmer_.line_settings.port_base;
            board->set_wiring(wiring);
        }
        *status += kSimulatedSuffix;
    }
    window_.set_status(*status);
}

void DialogCommands::change_programming_time() {
    if (window_.busy()) {
        return;
    }
    picprog::change_programming_time(programmer_.model, prompter_);
}

void DialogCommands::change_theme() {
    if (window_.busy()) {
        return;
    }
    show_theme_dialog(
        &window_, theme_, settings_, [this] { window_.settheme(); },
        [this] { window_.pump_events(); });
}

void DialogCommands::show_pinout() {
    picprog::show_pinout(prompter_);
}

}  // namespace picprog
