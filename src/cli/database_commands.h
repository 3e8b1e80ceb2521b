#pragma once

#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "cli/console.h"
#include "cli/exit_status.h"
#include "core/devices/device_loader.h"

namespace picprog {

// list-models: number, name, FLASH words and EEPROM bytes of every model.
ExitStatus run_list_models(const ChipOptions& options, const CliContext& context);

// check-db: loads `file` (or the database the other commands would use)
// and prints every problem found, one a line. Status 0 when there is none,
// 1 when there is any, 2 when no file can be read.
ExitStatus run_check_db(const std::string& file, const ChipOptions& options,
                        const CliContext& context);

// Every problem of a loaded database, each as one line of text (without the
// file name): the loader's diagnostics as "line N: reason", then for each
// model its undefined algorithms and every instruction of its five lists
// that the engine would refuse, then names given to more than one model.
std::vector<std::string> database_problems(const DatabaseLoadResult& loaded);

struct TrialSummary {
    std::vector<std::string> problems;       // one line each, naming model and step
    std::vector<std::string> not_simulated;  // notes for models the simulator lacks
};

// Runs the algorithms of every model whose lists the engine accepts on a
// fresh simulated chip of its part (see try_model) and gathers what went
// wrong, with a progress bar on a terminal.
// `only_model` (a model number) limits the runs to that model; 0 runs all.
TrialSummary simulation_problems(const DeviceDatabase& database, const Console& console,
                                 int32_t only_model = 0);

}  // namespace picprog
