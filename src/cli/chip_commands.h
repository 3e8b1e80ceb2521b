#pragma once

#include <string>
#include <string_view>

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
// be used or the chip in the socket is not the model (without --force), 4
// when the simulated chip saw its rules broken.
ExitStatus run_chip_command(ChipCommand command, const std::string& hex_file,
                            const ChipOptions& options, const CliContext& context);

// identify: reads the chip's device ID and prints which part it is ("PIC16F628A,
// revision 6 (device ID 1066h)"), an ID no model has, or that no chip
// answers (exit status 3).
ExitStatus run_identify(const ChipOptions& options, const CliContext& context);

// True for the --model value that lets the chip's device ID choose the model.
bool is_auto_model(std::string_view model);

}  // namespace picprog
