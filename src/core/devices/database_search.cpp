#include "core/devices/database_search.h"

namespace picprog {
namespace {

constexpr auto kInstalledDataFolder = "../share/quellmark-picprog";

}  // namespace

std::vector<std::filesystem::path> database_candidates(
    const std::filesystem::path& user_config_folder, const std::filesystem::path& program_folder,
    const std::filesystem::path& source_data_folder) {
    std::vector<std::filesystem::path> candidates;
    if (!user_config_folder.empty()) {
        candidates.push_back(user_config_folder / kDeviceDatabaseName);
    }
    if (!program_folder.empty()) {
        candidates.push_back(program_folder / kDeviceDatabaseName);
        candidates.push_back((program_folder / kInstalledDataFolder).lexically_normal() /
                             kDeviceDatabaseName);
    }
    if (!source_data_folder.empty()) {
        candidates.push_back(source_data_folder / kDeviceDatabaseName);
    }
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

std::string database_failure_text(const DatabaseSearch& search, std::string_view line_end) {
    const std::string end(line_end);
    if (search.result.status == DatabaseLoadStatus::NoModels) {
        return "The device database " + search.file.string() + " holds no microcontroller model." +
               end + "The program cannot run without one." + end;
    }
    std::string text =
        "The device database picprogdevices.txt was not found or could not be read." + end +
        "These paths were tried:" + end;
    for (const std::filesystem::path& path : search.tried) {
        text += "  " + path.string() + end;
    }
    // With a single file named by the user, the system's reason helps.
    if (search.tried.size() == 1 && !search.result.error.empty()) {
        text += "Reason: " + search.result.error + end;
    }
    return text;
}

}  // namespace picprog
