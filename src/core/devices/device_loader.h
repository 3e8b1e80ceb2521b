#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/devices/device_model.h"

namespace picprog {

// Something in the file that the loader skipped or that will not work as the
// user probably meant. The loader never refuses a file for these; a checker
// shows them.
struct LoadDiagnostic {
    int line = 0;  // 1-based, counted by the loader's own line rule
    std::string reason;
};

enum class DatabaseLoadStatus {
    Ok,
    Unreadable,  // the file is missing or cannot be read
    NoModels,    // the file was read but holds no "model:" line
};

struct DatabaseLoadResult {
    DatabaseLoadStatus status = DatabaseLoadStatus::Ok;
    DeviceDatabase database;
    std::vector<LoadDiagnostic> diagnostics;
    std::string error;  // why the file could not be read (Unreadable only)
};

// Reads a device database from the file's text. Lines end with CR LF or a
// lone CR; a lone LF stays part of its line. Keys are matched on a lower-case
// copy of the line, values are kept as written. Never fails: what it cannot
// use is skipped and listed in the diagnostics; so is a model whose sizes
// fail model_size_problem, which is left out of the database. Status is
// NoModels when no model was left.
DatabaseLoadResult parse_device_database(std::string_view text);

// Reads the whole file and parses it.
DatabaseLoadResult load_device_database(const std::filesystem::path& file);

}  // namespace picprog
