#pragma once

#include <string>

namespace picprog {

// Where a write to a path really lands.
struct WriteTarget {
    bool ok = false;
    std::string path;     // the file itself: every symbolic link followed
    bool exists = false;  // a regular file is there now
    std::string reason;   // why the path cannot be written (not ok)
};

// Follows symbolic links to the file they name, so that a save replaces
// the linked file and the link stays a link. Refuses, with the reason, a
// path that is a folder, a device, a named pipe or a socket, and a link
// whose file does not exist (a dangling link), since writing there would
// put a file where the link's owner did not expect one. A missing path is
// fine: the write creates it.
WriteTarget resolve_write_target(const std::string& path);

}  // namespace picprog
