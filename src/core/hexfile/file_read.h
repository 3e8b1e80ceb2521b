#pragma once

#include <string>

namespace picprog {

struct FileReadResult {
    bool ok = false;
    std::string bytes;   // the whole file when ok
    std::string reason;  // the system's reason when not ok
};

// Reads a whole file as bytes. Never throws; a missing file, a folder or a
// read error answers ok == false with the system's reason.
FileReadResult read_whole_file(const std::string& path);

}  // namespace picprog
