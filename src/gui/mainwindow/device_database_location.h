#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/devices/device_loader.h"

namespace picprog {

// The file name of the device database.
inline constexpr std::string_view kDeviceDatabaseName = "picprogdevices.txt";

// Folders that may hold the device database, in the order they are tried.
struct DatabaseFolders {
    std::filesystem::path user_config;  // a user's own edited copy comes first
    std::filesystem::path program;      // beside the executable
    std::filesystem::path installed;    // <prefix>/share/quellmark-picprog
    std::filesystem::path source_tree;  // data/ of the tree the program was built from
};

// The real folders of this run; `program_folder` is the executable's folder.
DatabaseFolders default_database_folders(const std::filesystem::path& program_folder);

// The outcome of looking for the database.
struct DatabaseSearch {
    // Ok: `result` holds the models of `file`. NoModels: `file` was read
    // but holds none. Unreadable: no folder held a readable file.
    DatabaseLoadResult result;
    std::filesystem::path file;
    std::vector<std::filesystem::path> tried;  // every path looked at, in order
};

// Loads the first readable picprogdevices.txt of the folders, in order.
// Folders given empty are skipped.
DatabaseSearch find_device_database(const DatabaseFolders& folders);

// The error message for a search that found nothing usable (kind 16).
std::string database_failure_message(const DatabaseSearch& search);

}  // namespace picprog
