#include "cli/database_search.h"

namespace picprog {
namespace {

constexpr auto kInstalledDataFolder = "../share/quellmark-picprog";

}  // namespace

std::vector<std::filesystem::path> database_candidates(
    const std::filesystem::path& user_config_folder, const std::filesystem::path& program_folder) {
    std::vector<std::filesystem::path> candidates;
    candidates.push_back(user_config_folder / kDeviceDatabaseFileName);
    if (!program_folder.empty()) {
        candidates.push_back(program_folder / kDeviceDatabaseFileName);
        candidates.push_back((program_folder / kInstalledDataFolder).lexically_normal() /
                             kDeviceDatabaseFileName);
    }
#ifdef PICPROG_SOURCE_DATA_DIR
    candidates.push_back(std::filesystem::path(PICPROG_SOURCE_DATA_DIR) / kDeviceDatabaseFileName);
#endif
    return candidates;
}

DatabaseSearch find_database(const std::vector<std::filesystem::path>& candidates) {
    DatabaseSearch search;
    search.result.status = DatabaseLoadStatus::Unreadable;
    for (const std::filesystem::path& file : candidates) {
        search.tried.push_back(file);
        DatabaseLoadResult result = load_device_database(file);
        if (result.status != DatabaseLoadStatus::Unreadable) {
            search.result = std::move(result);
            search.file = file;
            return search;
        }
        search.result.error = result.error;
    }
    return search;
}

std::string database_failure_text(const DatabaseSearch& search) {
    if (search.result.status == DatabaseLoadStatus::NoModels) {
        return "The device database " + search.file.string() +
               " holds no microcontroller model.\nThe program cannot run without one.\n";
    }
    std::string text =
        "The device database picprogdevices.txt was not found or could not be read.\n"
        "These paths were tried:\n";
    for (const std::filesystem::path& path : search.tried) {
        text += "  " + path.string() + "\n";
    }
    if (search.tried.size() == 1 && !search.result.error.empty()) {
        text += "Reason: " + search.result.error + "\n";
    }
    return text;
}

}  // namespace picprog
