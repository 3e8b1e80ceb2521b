#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace picprog {

// Test seam for the write path. Called before each chunk is written with the
// number of bytes already written; a non-empty answer makes that write fail
// with the answer as its reason, as a full disk would.
using WriteFaultHook = std::function<std::string(std::size_t bytes_written)>;

struct FileWriteResult {
    bool ok = false;
    std::string reason;  // the system's (or the fault hook's) reason when not ok
};

// Writes `contents` to a new temporary file with a unique name beside the
// file `path` names, flushes it to the disk and only then renames it over
// that file. A symbolic link is written through: its file is replaced and
// the link stays a link. A folder, a device, a named pipe or a dangling
// link is refused with the reason, and nothing is created. A replaced file
// keeps its permission bits (and its owner where the process may set it).
// Whatever fails (folder missing, folder is a file, write error, rename
// refused), the temporary file is removed and a file already there is left
// exactly as it was.
FileWriteResult write_file_atomically(const std::string& path, std::string_view contents,
                                      const WriteFaultHook& fault = {});

}  // namespace picprog
