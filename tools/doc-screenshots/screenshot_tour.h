#pragma once

#include <QString>
#include <filesystem>

namespace picprog::doc {

// What the tour needs from outside.
struct TourPaths {
    std::filesystem::path database;  // the device database to load
    std::filesystem::path hex_file;  // the sample program, loaded and programmed
    QString work_folder;             // scratch folder for saved files and the trace
    QString output_folder;           // where the PNG files go
};

// Walks through the program as the user guide describes it: the main window
// at a first start, every menu, choosing the PIC16F628A (and putting it in
// the simulated socket), every dialog and box, loading, programming and
// verifying the sample, an in-place edit and the Verify failure it causes,
// the overwrite question and a line trace.
// Each picture is saved under output_folder. Returns the number of
// pictures that could not be made (0 on success).
int run_screenshot_tour(const TourPaths& paths);

}  // namespace picprog::doc
