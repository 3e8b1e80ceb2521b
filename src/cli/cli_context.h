#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cli/config_folder.h"
#include "cli/console.h"

namespace picprog {

// What every command gets from the process it runs in.
struct CliContext {
    Console console;
    EnvironmentLookup environment;
    std::filesystem::path program_folder;  // folder of the executable; may be empty
};

// Options shared by the commands that work on a model or a chip. Empty texts
// mean "as stored in the settings" (or, for the database, "search").
struct ChipOptions {
    std::string database;  // --db FILE
    std::string model;     // --model NAME|NUMBER
    std::string port;      // --port 1|2|3|ADDRESS
    bool simulate = false;
    std::string state_file;               // --simulate=STATE_FILE
    std::string trace;                    // --trace FILE.vcd
    std::vector<std::string> sim_faults;  // --sim-fault NAME[:ARGS], any number
    bool no_verify = false;               // program only: skip the verify afterwards
    bool force = false;                   // go on with a chip that is not the selected model
    std::string osccal;                   // --osccal=34XX: calibration word to restore when lost
};

}  // namespace picprog
