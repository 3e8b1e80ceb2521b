#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace picprog::bench {

// How one child process went.
struct ChildRun {
    bool started = false;     // false: the program could not be started
    int exit_status = -1;     // exit code, or -1 when it did not exit normally
    double wall_seconds = 0;  // from just before the start to its end
    int64_t max_rss_kb = 0;   // largest resident set of the child
};

// Extra environment variables for a child, added to (or replacing those
// of) this process's own environment.
using Environment = std::vector<std::pair<std::string, std::string>>;

// Runs `argv` (searched on PATH) to its end and waits for it. Its output
// goes nowhere unless `show_output`: the figures want the clock, not text.
ChildRun run_child(const std::vector<std::string>& argv, const Environment& extra = {},
                   bool show_output = false);

}  // namespace picprog::bench
