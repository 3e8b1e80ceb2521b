#pragma once

#include <string>

#include "core/devices/current_model.h"
#include "core/engine/operation_view.h"
#include "core/files/atomic_file_write.h"
#include "core/memory/memory_image.h"

namespace picprog {

enum class SaveStatus {
    Saved,     // the file holds the whole image
    Declined,  // the user answered No to the overwrite question; nothing changed
    Failed,    // the file could not be written; an existing one is untouched
};

struct SaveOutcome {
    SaveStatus status = SaveStatus::Failed;
    // The new caption of the loaded-file label when saved (hex_path_label of
    // the path); empty otherwise, meaning "leave the caption as it is".
    std::string label_hex;
};

// Saves the image as an Intel HEX file at `path`, the path the user chose
// (the file dialog and "Last Path" stay with the window). When the file
// exists the user is asked "Do you want to overwrite file <path>?" (Yes/No);
// No stops here with nothing changed. Otherwise commands are disabled, the
// text of hex_file_text is written atomically (the old file is replaced only
// once the new one is complete on disk), the commands are enabled again and
// the status reads "HEX file saved.". A failed write shows a box (kind 16)
// naming the path and the reason, sets the status "HEX file not saved!" and
// never claims the file was saved. `fault` is the test seam of
// write_file_atomically.
SaveOutcome save_hex_file(const std::string& path, const MemoryImage& image,
                          const CurrentModel& model, OperationView& view,
                          const WriteFaultHook& fault = {});

}  // namespace picprog
