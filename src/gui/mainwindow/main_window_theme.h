#pragma once

#include "gui/dialogs/color_theme.h"
#include "gui/mainwindow/main_window_controls.h"

namespace picprog {

// The main window's settheme: copies the theme's colours onto the client
// area and the captions and value fields. The buffer tables keep their own
// fixed colours.
void apply_main_window_theme(MainWindowControls& controls, const ColorTheme& theme);

}  // namespace picprog
