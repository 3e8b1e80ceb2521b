#pragma once

#include <string>

#include "cli/cli_context.h"
#include "cli/exit_status.h"

namespace picprog {

// Loads a HEX file for the chosen model, as the Open command does, and
// prints on standard output what the main window would show: the model and
// its sizes, the FLASH and EEPROM tables (every row), the configuration
// words, every message of the reader (the out-of-range warning) and the
// words-loaded status. A refused file prints the reader's error on standard
// error and ends with status 2.
ExitStatus run_dump_command(const std::string& hex_file, const ChipOptions& options,
                            const CliContext& context);

}  // namespace picprog
