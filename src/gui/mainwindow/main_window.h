#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/engine/chip_operations.h"
#include "core/engine/operation_view.h"
#include "core/engine/programmer.h"
#include "core/settings/settings_store.h"
#include "gui/dialogs/color_theme.h"
#include "gui/mainwindow/event_pump.h"
#include "gui/mainwindow/main_window_controls.h"
#include "gui/mainwindow/status_summary.h"

namespace picprog {

class BufferDisplay;
class DialogCommands;
class FileChooser;
struct FileCommandContext;
class FocusRouting;
class InPlaceEditor;
class MessageBoxes;
class WheelHook;

// Exit status after the fatal message of an unrecognized instruction.
constexpr int kFatalExitStatus = 1;

// The program's main window: the buffer tables, the five chip operations,
// the file commands and the status line. It is the OperationView of every
// operation it starts. While an operation runs, every command that could
// touch the buffer or the model is ignored (the ten that disable() greys
// out and the clickable labels), and a close request stops the run at its
// next instruction, with the chip powered down, before the window closes.
class MainWindow : public QMainWindow, public OperationView {
    Q_OBJECT
public:
    // What the window reaches outside itself; tests substitute each one.
    struct Services {
        MessageBoxes& boxes;
        FileChooser& files;
        // Ends the program with this exit status once control returns to
        // the event loop.
        std::function<void(int)> quit;
    };

    // Builds the window (hidden) and hands the programmer its rate-limited
    // event pump. All references must outlive the window.
    MainWindow(Programmer& programmer, SettingsStore& settings, ThemeState& theme,
               Services services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // OperationView.
    void disable() override;
    void enable() override;
    void set_status(std::string_view text) override;
    // A status with its own short form for a line too narrow for it.
    void set_status(const StatusText& line);
    void updatedisplay() override;
    int msg_box(std::string_view text, MsgKind kind, std::string_view title) override;
    std::string input_box(std::string_view prompt, std::string_view title,
                          std::string_view default_text) override;
    void pump_events() override;
    void fatal_exit() override;

    // Blanks the buffer for the current model, shows it from the first rows,
    // empties the loaded-file label and the status line, and leaves the
    // focus on the FLASH scroll bar.
    void clear_buffer();
    // Copies the current theme's colours onto the window.
    void settheme();
    // Shows the window in the middle of its screen.
    void show_centred();
    // Caption: the product title, with " - Simulated Programmer" appended
    // when the simulated programmer is in use.
    void set_simulated(bool simulated);
    void set_label_hex(std::string_view text);

    const std::string& last_path() const { return last_path_; }
    void set_last_path(std::string path) { last_path_ = std::move(path); }

    // True while a chip operation or a file command runs.
    bool busy() const;
    // True once the fatal message has been shown; the window then closes.
    bool ended_fatally() const { return fatal_; }
    // True while wheel scrolling is on: the window is active and "Mouse
    // Wheel Enabled" was not 0 when it was activated.
    bool wheel_enabled() const;

    MainWindowControls& controls() { return controls_; }
    const FocusRouting& focus_routing() const { return *focus_; }
    InPlaceEditor& editor() { return *editor_; }
    WheelHook& wheel_hook() { return *wheel_; }
    DialogCommands& dialog_commands() { return *dialogs_; }
    FileChooser& file_chooser() { return services_.files; }

    // The commands behind the buttons, menu items and labels. Each is
    // ignored while busy().
    // Program All goes straight on to Verify while "Verify After
    // Programming" is on.
    void run_operation(ChipOperation operation);
    // Reads the chip's device ID and says what answered; offers to select
    // the model when it is another one.
    void identify_chip_command();
    // The two chip-safety options, from the stored settings (default on).
    void load_safety_options();
    void open_hex_file();
    void save_buffer_as();
    void show_about();
    void clear_buffer_command();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Activation installs the wheel hook (when "Mouse Wheel Enabled" allows
    // it), deactivation removes it.
    void changeEvent(QEvent* event) override;

private:
    void connect_commands();
    // What the two HEX file commands work on.
    FileCommandContext file_command_context();
    void set_commands_enabled(bool enabled);
    void set_safety_option(std::string_view name, bool on);

    Programmer& programmer_;
    SettingsStore& settings_;
    ThemeState& theme_;
    Services services_;
    MainWindowControls controls_;
    std::unique_ptr<BufferDisplay> display_;
    FocusRouting* focus_ = nullptr;
    InPlaceEditor* editor_ = nullptr;
    WheelHook* wheel_ = nullptr;
    DialogCommands* dialogs_ = nullptr;
    RateLimitedPump pump_;
    std::string last_path_;
    bool file_command_running_ = false;
    bool close_requested_ = false;
    bool fatal_ = false;
};

}  // namespace picprog
