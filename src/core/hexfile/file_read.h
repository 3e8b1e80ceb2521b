#pragma once

// The file helpers live in core/files now. This header stays only while the
// command-line settings back end still includes it; it goes with that back end.
#include "core/files/file_read.h"

namespace picprog {

inline FileReadResult read_whole_file(const std::string& path) {
    return read_whole_file(path, kSettingsFileLimit);
}

}  // namespace picprog
