#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace picprog {

// Reads one environment variable; nullopt when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;

// The process environment.
EnvironmentLookup process_environment();

// The user's own folder of this program, shared with the desktop program:
// $XDG_CONFIG_HOME/quellmark-picprog when that variable holds an absolute
// path, else $HOME/.config/quellmark-picprog. It holds the settings file and
// may hold the user's own copy of picprogdevices.txt.
std::filesystem::path user_config_folder(const EnvironmentLookup& environment);

// The settings file inside that folder, the INI file the desktop program
// writes with QSettings.
std::filesystem::path settings_file(const EnvironmentLookup& environment);

inline constexpr std::string_view kConfigFolderName = "quellmark-picprog";
inline constexpr std::string_view kSettingsFileName = "quellmark-picprog.ini";

}  // namespace picprog
