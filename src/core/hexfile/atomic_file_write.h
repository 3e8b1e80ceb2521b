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

// Writes `contents` to a new temporary file beside `path`, flushes it to the
// disk and only then renames it over `path`. Whatever fails (folder missing,
// folder is a file, write error, rename refused), the temporary file is
// removed and a file already at `path` is left exactly as it was.
FileWriteResult write_file_atomically(const std::string& path, std::string_view contents,
                                      const WriteFaultHook& fault = {});

}  // namespace picprog
