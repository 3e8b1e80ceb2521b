#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/devices/device_loader.h"

namespace picprog {

inline constexpr std::string_view kDeviceDatabaseFileName = "picprogdevices.txt";

// The files that may hold the device database, in the order they are tried:
// the user's configuration folder (a user's own edited copy comes first),
// beside the executable, the installed data folder
// (<prefix>/share/quellmark-picprog) and, for a program run from its build
// tree, the data folder of the source tree it was built from.
std::vector<std::filesystem::path> database_candidates(
    const std::filesystem::path& user_config_folder, const std::filesystem::path& program_folder);

// The outcome of looking for the database.
struct DatabaseSearch {
    DatabaseLoadResult result;  // status Unreadable when no candidate could be read
    std::filesystem::path file;
    std::vector<std::filesystem::path> tried;
};

// Loads the first candidate that can be read.
DatabaseSearch find_database(const std::vector<std::filesystem::path>& candidates);

// What to tell the user when the search found nothing usable: the paths
// tried, or the file that holds no model.
std::string database_failure_text(const DatabaseSearch& search);

}  // namespace picprog
