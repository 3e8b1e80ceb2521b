#include "cli/database_search.h"

namespace picprog {

std::vector<std::filesystem::path> database_candidates(
    const std::filesystem::path& user_config_folder, const std::filesystem::path& program_folder) {
#ifdef PICPROG_SOURCE_DATA_DIR
    const std::filesystem::path source_data(PICPROG_SOURCE_DATA_DIR);
#else
    const std::filesystem::path source_data;
#endif
    return database_candidates(user_config_folder, program_folder, source_data);
}

}  // namespace picprog
