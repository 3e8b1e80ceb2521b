#pragma once

#include <cstdint>
#include <string>

#include "core/devices/current_model.h"
#include "core/engine/operation_view.h"
#include "core/memory/memory_image.h"

namespace picprog {

struct LoadOutcome {
    bool loaded = false;
    int32_t words_loaded = 0;
    // The new caption of the loaded-file label: hex_path_label of the path,
    // or empty when nothing was loaded. The window sets it; the view has no
    // label of its own.
    std::string label_hex;
};

// Loads an Intel HEX file into the image for `model`, talking to the user
// through `view`: commands disabled for the duration; the image blanked,
// then filled; on success an out-of-range warning (kind 64) when the file
// had such data, and the status "Operation completed. Total N (K) program
// words loaded."; on a bad record the error box (kind 16) naming the line;
// on a file the system cannot read a box (kind 16) naming the path and the
// reason. After any failure the image is blank again and the status reads
// "HEX file not loaded!". The display is refreshed and the commands enabled
// again in every case.
LoadOutcome load_hex_file(const std::string& path, const CurrentModel& model, MemoryImage& image,
                          OperationView& view);

}  // namespace picprog
