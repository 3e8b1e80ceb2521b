#pragma once

#include <string>

#include "cli/cli_context.h"
#include "cli/exit_status.h"

namespace picprog {

// The five chip operations as commands.
enum class ChipCommand { Program, Verify, Read, Erase, BlankCheck };

// Runs one chip command: `hex_file` is the file to program or verify from,
// or to save a Read All into (unused by erase and blank-check). Prints the
// result caption with the elapsed time on standard output and every message
// (such as the mismatch report) on standard error. Exit status 0, 1 for
// differences found, 2 for a usage or file problem, 3 when the port cannot
// be used.
ExitStatus run_chip_command(ChipCommand command, const std::string& hex_file,
                            const ChipOptions& options, const CliContext& context);

}  // namespace picprog
