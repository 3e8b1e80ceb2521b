#pragma once

namespace picprog {

// The program: parses the command line (--simulate selects the simulated
// programmer for this run), ends at once with status 0 when another copy
// is running, finds and loads the device database (status 1 with a message
// when there is none or it holds no model), shows the main window and runs
// until it is closed. Returns the exit status.
int run_application(int argc, char** argv);

}  // namespace picprog
