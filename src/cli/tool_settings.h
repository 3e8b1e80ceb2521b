#pragma once

#include <QString>

#include "cli/config_folder.h"
#include "cli/console.h"
#include "platform/qt_settings_backend.h"

namespace picprog {

// The desktop program's settings file, as the tool finds it from the
// environment (see settings_file).
QString tool_settings_path(const EnvironmentLookup& environment);

// How one run of the tool uses that file: read once, every default it
// creates written together when the run ends, and a file that must be
// ignored reported on the console's error stream.
QtSettingsOptions tool_settings_options(const Console& console);

}  // namespace picprog
