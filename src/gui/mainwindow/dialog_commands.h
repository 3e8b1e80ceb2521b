#pragma once

#include <QObject>

#include "core/engine/programmer.h"
#include "core/settings/settings_store.h"
#include "gui/dialogs/color_theme.h"
#include "gui/mainwindow/message_boxes.h"
#include "gui/mainwindow/window_prompter.h"

namespace picprog {

class MainWindow;

// The main window's Hardware and Options commands and the pinout help:
// each opens its dialog or asks its question, and is ignored while the
// window is busy. Connected to the menu items and, for the model dialog,
// to the three labels that show the model.
class DialogCommands : public QObject {
    Q_OBJECT
public:
    // All references must outlive the commands.
    DialogCommands(MainWindow& window, Programmer& programmer, SettingsStore& settings,
                   ThemeState& theme, MessageBoxes& boxes);

    // "Change Microcontroller Model": the buffer is cleared once the dialog
    // has closed, whichever way; model_changed() follows when another
    // model was chosen.
    void change_model();
    // Makes model `number` current as choosing it in the dialog does:
    // stored, the buffer cleared, model_changed emitted.
    void select_model_number(int32_t number);
    void hardware_settings();
    void check_hardware();
    // "Change Parallel Port Number"; the status line follows the address.
    void change_port();
    void change_programming_time();
    void change_theme();
    void show_pinout();
    // The current model's caution (its "warning:" text) in a warning box,
    // kind 48; nothing when the model has none. Runs whenever a model is
    // chosen (model_changed) and once at start-up.
    void warn_about_model();

signals:
    void model_changed();

private:
    MainWindow& window_;
    Programmer& programmer_;
    SettingsStore& settings_;
    ThemeState& theme_;
    WindowPrompter prompter_;
};

}  // namespace picprog
