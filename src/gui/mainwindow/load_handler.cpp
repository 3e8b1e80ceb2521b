#include "gui/mainwindow/load_handler.h"

#include "core/devices/startup_selection.h"
#include "core/memory/decimal_text.h"
#include "gui/mainwindow/dialog_commands.h"
#include "gui/mainwindow/hardware_commands.h"
#include "gui/mainwindow/main_window.h"

namespace picprog {
namespace {

int32_t stored_number(SettingsStore& settings, std::string_view name, std::string_view fallback) {
    return leading_number(settings.get_setting(name, fallback));
}

}  // namespace

LineSettings read_line_settings(SettingsStore& settings) {
    LineSettings s;
    s.port_base = stored_number(settings, setting::kParallelPortAddress, "888");
    s.vdd_inverted = stored_number(settings, setting::kInvertVdd, "0");
    s.vpp_inverted = stored_number(settings, setting::kInvertVpp, "0");
    s.clock_inverted = stored_number(settings, setting::kInvertClock, "1");
    s.dataout_inverted = stored_number(settings, setting::kInvertDataOut, "1");
    s.datain_inverted = stored_number(settings, setting::kInvertDataIn, "1");
    s.vdd_pin = stored_number(settings, setting::kVddPinNum, "4");
    s.vpp_pin = stored_number(settings, setting::kVppPinNum, "5");
    s.clock_pin = stored_number(settings, setting::kClockPinNum, "3");
    s.dataout_pin = stored_number(settings, setting::kDataOutPinNum, "2");
    s.datain_pin = stored_number(settings, setting::kDataInPinNum, "10");
    return s;
}

void run_load_handler(MainWindow& window, Programmer& programmer, SettingsStore& settings,
                      ThemeState& theme, const PortBackendMakers& makers,
                      const LoadHandlerOptions& options) {
    load_theme(theme, settings);
    window.settheme();
    // Read first, so the caption is right from the first showing; a forced
    // run leaves the stored choice as it was.
    const bool stored_simulated = settings.get_setting(setting::kSimulatedProgrammer, "0") == "1";
    const bool simulated = options.simulated || stored_simulated;
    window.set_simulated(simulated);
    window.show_centred();

    window.set_last_path(settings.get_setting(setting::kLastPath, options.program_folder));

    programmer.select(startup_model_index(settings, programmer.database.model_count()));
    window.clear_buffer();
    window.load_safety_options();

    programmer.line_settings = read_line_settings(settings);
    programmer.shadow = PortShadow{};
    auto* hardware = new HardwareCommands(window, programmer, settings, makers, simulated);
    QObject::connect(&window.dialog_commands(), &DialogCommands::model_changed, hardware,
                     &HardwareCommands::refit_simulated_chip);
    window.set_status(hardware->attach());
    // A part that the programmer's own voltages may harm says so before the
    // user can start anything.
    window.dialog_commands().warn_about_model();
}

}  // namespace picprog
