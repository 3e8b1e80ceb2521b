#pragma once

#include <ostream>

namespace picprog {

// Where the tool writes: results on `out`, messages and progress on `err`.
// Progress bars are drawn only when `err` is a terminal, so a log file or a
// pipe never fills with carriage-return frames.
struct Console {
    std::ostream& out;
    std::ostream& err;
    bool err_is_terminal = false;
};

}  // namespace picprog
