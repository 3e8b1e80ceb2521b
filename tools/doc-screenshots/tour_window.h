#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "core/engine/programmer.h"
#include "core/settings/memory_backend.h"
#include "core/settings/settings_store.h"
#include "gui/dialogs/color_theme.h"
#include "gui/mainwindow/main_window.h"
#include "gui/mainwindow/message_boxes.h"
#include "preset_files.h"

namespace picprog {
class SimulatedProgrammer;
}

namespace picprog::doc {

// The real main window as the program builds it at start-up, with the
// program's own message and input boxes, but over the simulated
// programmer on a virtual clock (operations run at full speed and show the
// simulated hardware's own elapsed times), settings held in memory (the
// user's stored settings are neither read nor changed) and preset answers
// to the file dialogs.
class TourWindow {
public:
    // Loads `database` and shows the window with model `model_index` of it
    // selected. Check ok() afterwards.
    TourWindow(const std::filesystem::path& database, int model_index);
    ~TourWindow();
    TourWindow(const TourWindow&) = delete;
    TourWindow& operator=(const TourWindow&) = delete;

    // False when the database could not be loaded (the reason is printed).
    bool ok() const { return window_ != nullptr; }

    MainWindow& window() { return *window_; }
    // The part in the simulated programmer's socket ("16F628A"), or "" when
    // the simulated programmer is not in use.
    std::string simulated_part();
    MainWindowControls& controls() { return window_->controls(); }
    Programmer& programmer() { return programmer_; }
    // The simulated board in use now, or nullptr.
    SimulatedProgrammer* board();
    PresetFiles& files() { return files_; }

private:
    MemoryBackend store_;
    SettingsStore settings_{store_};
    Programmer programmer_;
    ThemeState theme_;
    ModalMessageBoxes boxes_;
    PresetFiles files_;
    SimulatedProgrammer* board_ = nullptr;
    // Last, so that it goes first: it refers to everything above.
    std::unique_ptr<MainWindow> window_;
};

}  // namespace picprog::doc
