#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/devices/device_loader.h"

namespace picprog {

// The file name of the device database.
inline constexpr std::string_view kDeviceDatabaseName = "picprogdevices.txt";

// The files that may hold the device database, in the order they are tried:
// the user's configuration folder (a user's own edited copy comes first),
// beside the executable, the installed data folder
// (<prefix>/share/quellmark-picprog, found from <prefix>/bin) and, for a
// program run from its build tree, the data folder of the source tree it
// was built from. Folders given empty are left out.
std::vector<std::filesystem::path> database_candidates(
    const std::filesystem::path& user_config_folder, const std::filesystem::path& program_folder,
    const std::filesystem::path& source_data_folder);

// The outcome of looking for the database.
struct DatabaseSearch {
    // Ok: `result` holds the models of `file`. NoModels: `file` was read
    // but holds none. Unreadable: no candidate could be read.
    DatabaseLoadResult result;
    std::filesystem::path file;
    std::vector<std::filesystem::path> tried;  // every path looked at, in order
};

// Loads the first candidate that can be read.
DatabaseSearch find_database(const std::vector<std::filesystem::path>& candidates);

// What to tell the user when the search found nothing usable: the paths
// tried, or the file that holds no model; lines end with `line_end`.
std::string database_failure_text(const DatabaseSearch& search, std::string_view line_end);

}  // namespace picprog
