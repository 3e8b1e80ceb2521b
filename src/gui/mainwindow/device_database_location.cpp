#include "gui/mainwindow/device_database_location.h"

#include <QStandardPaths>

namespace picprog {
namespace {

constexpr auto kInstalledDataFolder = "../share/quellmark-picprog";

// This file lies in src/gui/mainwindow of the source tree.
std::filesystem::path source_tree_data_folder() {
    const std::filesystem::path here(__FILE__);
    if (!here.is_absolute()) {
        return {};
    }
    return here.parent_path().parent_path().parent_path().parent_path() / "data";
}

}  // namespace

DatabaseFolders default_database_folders(const std::filesystem::path& program_folder) {
    DatabaseFolders folders;
    folders.user_config =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
    folders.program = program_folder;
    folders.installed = (program_folder / kInstalledDataFolder).lexically_normal();
    folders.source_tree = source_tree_data_folder();
    return folders;
}

DatabaseSearch find_device_database(const DatabaseFolders& folders) {
    DatabaseSearch search;
    search.result.status = DatabaseLoadStatus::Unreadable;
    for (const auto* folder :
         {&folders.user_config, &folders.program, &folders.installed, &folders.source_tree}) {
        if (folder->empty()) {
            continue;
        }
        const std::filesystem::path file = *folder / kDeviceDatabaseName;
        search.tried.push_back(file);
        DatabaseLoadResult result = load_device_database(file);
        if (result.status != DatabaseLoadStatus::Unreadable) {
            search.result = std::move(result);
            search.file = file;
            return search;
        }
    }
    return search;
}

std::string database_failure_message(const DatabaseSearch& search) {
    if (search.result.status == DatabaseLoadStatus::NoModels) {
        return "The device database " + search.file.string() +
               " holds no microcontroller model.\r\nThe program cannot run without one.";
    }
    std::string text =
        "The device database picprogdevices.txt was not found or could not be read.\r\n"
        "These paths were tried:\r\n";
    for (const std::filesystem::path& path : search.tried) {
        text += path.string() + "\r\n";
    }
    return text;
}

}  // namespace picprog
