#pragma once

#include <string>

namespace picprog {

// Elapsed seconds as shown after an operation: whole seconds, ".", then the
// hundredths cut (not rounded) to two digits: 8.0625 gives "8.06", 3.5 gives
// "3.50". Negative times show as "0.00".
std::string elapsed_text(double seconds);

}  // namespace picprog
