#pragma once

#include <filesystem>
#include <vector>

#include "core/devices/database_search.h"

namespace picprog {

// The database candidates of the command-line tool: the user's
// configuration folder, beside the executable, the installed data folder and
// the source tree the tool was built from.
std::vector<std::filesystem::path> database_candidates(
    const std::filesystem::path& user_config_folder, const std::filesystem::path& program_folder);

}  // namespace picprog
