#include "gui/mainwindow/device_database_location.h"

#include <QStandardPaths>

namespace picprog {
namespace {

// This file lies in src/gui/mainwindow of the source tree.
std::filesystem::path source_tree_data_folder() {
    const std::filesystem::path here(__FILE__);
    if (!here.is_absolute()) {
        return {};
    }
    return here.parent_path().parent_path().parent_path().parent_path() / "data";
}

}  // namespace

std::vector<std::filesystem::path> default_database_candidates(
    const std::filesystem::path& program_folder) {
    return database_candidates(
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString(),
        program_folder, source_tree_data_folder());
}

std::string database_failure_message(const DatabaseSearch& search) {
    return database_failure_text(search, "\r\n");
}

}  // namespace picprog
