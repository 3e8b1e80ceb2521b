#pragma once

#include <QObject>
#include <string>

#include "core/engine/programmer.h"
#include "core/settings/settings_store.h"
#include "gui/mainwindow/port_backends.h"

namespace picprog {

class MainWindow;

// Caption of the port diagnostics box.
inline constexpr std::string_view kPortDiagnosticsTitle = "Port Diagnostics";

// The Hardware menu's back-end entries: which programmer the operations
// drive (the parallel port or the simulated one), the port diagnostics, and
// recording the lines into a VCD file. Each is ignored while the window is
// busy; a checkable entry then keeps its tick.
class HardwareCommands : public QObject {
    Q_OBJECT
public:
    // All references must outlive the commands. `simulated` is the choice
    // this run starts with.
    HardwareCommands(MainWindow& window, Programmer& programmer, SettingsStore& settings,
                     PortBackendMakers makers, bool simulated);

    bool simulated() const { return simulated_; }
    bool recording() const;

    // Gives the programmer the back end of the current choice, shows the
    // choice in the caption and the menu, drives the output lines to their
    // idle levels and returns the status line text.
    StatusText attach();

    // "Simulated Programmer": switches at once, all lines off on the old
    // back end first, and stores the choice.
    void choose_simulated(bool simulated);
    // "Port Diagnostics": tries the hardware port at the current address and
    // shows everything found in a message box.
    void show_port_diagnostics();
    // After a change of model: the simulated programmer gets the new
    // model's part in its socket, blank, as a user changing chips would.
    // A recording ends with the old part.
    void refit_simulated_chip();
    // "Record Line Trace...": on, asks for a file and records every port
    // access from then on; off, finishes the file.
    void record_line_trace(bool on);

private:
    void start_trace();
    void stop_trace();
    void show_choice();

    MainWindow& window_;
    Programmer& programmer_;
    SettingsStore& settings_;
    PortBackendMakers makers_;
    bool simulated_;
};

}  // namespace picprog
