#pragma once

#include <string>

#include "core/hardware/line_settings.h"
#include "core/settings/settings_store.h"
#include "gui/mainwindow/port_backends.h"

namespace picprog {

class MainWindow;
class ThemeState;

// The port address and the five lines' pins and inversions as stored, each
// setting read (and so created with its default) in this order: "Parallel
// Port Address", the five "Invert ..." flags, the five "... Pin Num" values.
LineSettings read_line_settings(SettingsStore& settings);

// How the window's first showing goes.
struct LoadHandlerOptions {
    std::string program_folder;  // default of "Last Path"
    // Use the simulated programmer this run, whatever the stored choice.
    bool simulated = false;
};

// The main window's load handler, run once when the program starts: loads
// and applies the stored colour theme, shows the window, takes "Last Path",
// makes the stored model current (model 1, stored back, when the number is
// not a model), clears the buffer, reads the port and line settings,
// attaches the port back end (the simulated programmer when the options or
// the stored "Simulated Programmer" ask for it), drives the four output
// lines to their idle levels and shows the port's state on the status line.
void run_load_handler(MainWindow& window, Programmer& programmer, SettingsStore& settings,
                      ThemeState& theme, const PortBackendMakers& makers,
                      const LoadHandlerOptions& options);

}  // namespace picprog
