#pragma once

#include <string>
#include <string_view>

#include "core/engine/operation_view.h"
#include "core/engine/programmer.h"

namespace picprog {

enum class ChipOperation { ProgramAll, ReadAll, EraseAll, BlankCheck, Verify };

enum class OperationOutcome {
    Passed,        // ran to its end; Blank Check / Verify found no difference
    Failed,        // Blank Check / Verify found differences (shown to the user)
    Ignored,       // another operation was running
    Stopped,       // a stop request ended the run; chip powered down
    ListError,     // the model's list cannot run; chip powered down, message shown
    ChipRefused,   // the checks before the run stopped it (no chip, another chip, a
                   // lost calibration not restored); nothing written, user told
    Unrecognized,  // an unknown instruction; the program must end
};

struct OperationResult {
    OperationOutcome outcome = OperationOutcome::Passed;
    std::string status;   // the status line's text at the end
    std::string elapsed;  // elapsed_text of the run
    // Chip rules the run broke (a simulated chip only). The front end has
    // been shown them; a run that broke any is never a success, whatever
    // its outcome says about the memory contents.
    RuleViolations violations;
};

// Runs one chip operation from start to end on the current model: loads its
// list, disables the view's commands, shows progress, and reports the result
// and elapsed time on the status line (and the differences of Blank Check
// and Verify in a message box, then any chip rule the run broke in a
// warning box). Read All blanks the image and refreshes the
// display before and after its run. A request while another operation runs
// is ignored.
OperationResult run_chip_operation(Programmer& programmer, ChipOperation operation,
                                   OperationView& view);

OperationResult program_all(Programmer& programmer, OperationView& view);
OperationResult read_all(Programmer& programmer, OperationView& view);
OperationResult erase_all(Programmer& programmer, OperationView& view);
OperationResult blank_check(Programmer& programmer, OperationView& view);
OperationResult verify_chip(Programmer& programmer, OperationView& view);

// The model's instruction list an operation runs.
AlgorithmKind algorithm_of(ChipOperation operation);

}  // namespace picprog
