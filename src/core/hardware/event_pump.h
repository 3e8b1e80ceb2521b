#pragma once

#include <functional>

namespace picprog {

// Lets pending user-interface events run. The GUI hands the core one that
// is rate-limited; headless callers leave it empty.
using EventPump = std::function<void()>;

}  // namespace picprog
