#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/engine/operation_view.h"
#include "core/engine/programmer.h"
#include "core/settings/settings_store.h"
#include "gui/mainwindow/file_chooser.h"

class QWidget;

namespace picprog {

// What the Open and Save commands work with. Everything is borrowed from
// the main window for the length of one command.
struct FileCommandContext {
    QWidget* parent;
    FileChooser& files;
    SettingsStore& settings;
    // The folder the dialogs start in; moves to the chosen file's folder.
    std::string& last_path;
    Programmer& programmer;
    OperationView& view;
    // Sets the caption of the loaded-file label.
    std::function<void(std::string_view)> set_label_hex;
};

// A chosen path split at its last folder separator: the folder keeps the
// separator at its end, the file name is the rest.
struct ChosenPath {
    std::string folder;
    std::string file_name;
};
ChosenPath split_chosen_path(std::string_view path);

// Open HEX File: asks for a file in last_path; on a choice stores its
// folder as "Last Path" at once, then loads the file into the buffer (the
// core reports the result on the status line and in message boxes) and
// shows its path, or nothing after a failed load, in the loaded-file label.
void open_hex_file(FileCommandContext& context);

// Save Buffer As: asks for a file in last_path; on a choice stores its
// folder as "Last Path", then saves the buffer (asking before replacing an
// existing file). The loaded-file label shows the path only once the file
// is saved.
void save_buffer_as(FileCommandContext& context);

}  // namespace picprog
