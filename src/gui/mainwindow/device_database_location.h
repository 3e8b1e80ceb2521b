#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/devices/database_search.h"

namespace picprog {

// The files that may hold the device database for this run, in search
// order; `program_folder` is the executable's folder.
std::vector<std::filesystem::path> default_database_candidates(
    const std::filesystem::path& program_folder);

// The error message for a search that found nothing usable (kind 16).
std::string database_failure_message(const DatabaseSearch& search);

}  // namespace picprog
