#pragma once

#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace picprog {

// Parses the command line (arguments without the program name first) and
// runs the command it names. Answers the process exit status: the command's
// own, 0 after --help, 2 for a usage error (printed with a hint at --help).
int run_cli(const std::vector<std::string>& arguments, const CliContext& context);

}  // namespace picprog
