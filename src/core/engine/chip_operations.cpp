#include "core/engine/chip_operations.h"

#include "core/engine/chip_safety.h"
#include "core/engine/elapsed_text.h"

namespace picprog {
namespace {

struct OperationTexts {
    std::string_view start;
    std::string_view passed;
    std::string_view failed;       // Blank Check and Verify only
    std::string_view box_heading;  // Blank Check and Verify only
};

OperationTexts texts_of(ChipOperation operation) {
    switch (operation) {
        case ChipOperation::ProgramAll:
            return {"Begin program all.", "Chip programmed. ", "", ""};
        case ChipOperation::ReadAll:
            return {"Begin read all.", "Chip read. ", "", ""};
        case ChipOperation::EraseAll:
            return {"Begin erase all.", "Chip erased. ", "", ""};
        case ChipOperation::BlankCheck:
            return {"Begin blank check.", "Chip is blank. ", "Chip is not blank. ",
                    "Chip is not blank:"};
        case ChipOperation::Verify:
            break;
    }
    return {"Begin verify.", "Chip verified. ", "Chip verify failed. ", "Chip verify failed:"};
}

constexpr std::string_view kViolationsTitle = "Simulated Chip";
constexpr std::string_view kViolationsHeading =
    "The simulated chip saw its programming rules broken; a real chip would not be "
    "programmed reliably this way:";

// Shown last: it explains whatever the operation said before it.
void show_violations(const RuleViolations& violations, OperationView& view) {
    if (violations.empty()) {
        return;
    }
    view.msg_box(std::string(kViolationsHeading) + "\r\n\r\n" + violations_text(violations),
                 MsgKind::Warning, kViolationsTitle);
    view.pump_events();
}

bool writes_chip(ChipOperation operation) {
    return operation == ChipOperation::EraseAll || operation == ChipOperation::ProgramAll;
}

// Writes the calibration an erase destroyed back with the model's own
// Program All list, run over a blank image that holds only the calibration.
// The user's buffer is left as it was.
RunOutcome restore_calibration(Programmer& programmer, const ChipCalibration& calibration,
                               OperationView& view) {
    AlgorithmEngine& engine = programmer.engine();
    const MemoryImage buffer = programmer.image;
    programmer.image.blank_image(programmer.model);
    apply_calibration(calibration, programmer.model.safety, programmer.image);
    engine.load_instructions(programmer.model.list(AlgorithmKind::Program));
    engine.prepare_run();
    const RunOutcome run = engine.run(view);
    programmer.image = buffer;
    return run;
}

bool checks_chip(ChipOperation operation) {
    return operation == ChipOperation::BlankCheck || operation == ChipOperation::Verify;
}

// Clears the running flag however the operation ends.
class RunningGuard {
public:
    explicit RunningGuard(bool& running) : running_(running) { running_ = true; }
    ~RunningGuard() { running_ = false; }
    RunningGuard(const RunningGuard&) = delete;
    RunningGuard& operator=(const RunningGuard&) = delete;

private:
    bool& running_;
};

}  // namespace

AlgorithmKind algorithm_of(ChipOperation operation) {
    switch (operation) {
        case ChipOperation::ProgramAll:
            return AlgorithmKind::Program;
        case ChipOperation::ReadAll:
            return AlgorithmKind::Read;
        case ChipOperation::EraseAll:
            return AlgorithmKind::Erase;
        case ChipOperation::BlankCheck:
            return AlgorithmKind::BlankCheck;
        case ChipOperation::Verify:
            break;
    }
    return AlgorithmKind::Verify;
}

OperationResult run_chip_operation(Programmer& programmer, ChipOperation operation,
                                   OperationView& view) {
    OperationResult result;
    if (programmer.running) {
        result.outcome = OperationOutcome::Ignored;
        return result;
    }
    RunningGuard guard(programmer.running);
    AlgorithmEngine& engine = programmer.engine();
    const OperationTexts texts = texts_of(operation);

    engine.load_instructions(programmer.model.list(algorithm_of(operation)));
    engine.prepare_run();
    // What the lines did between operations (a hardware test dialog, say)
    // is not this run's doing.
    (void)programmer.backend().take_violations();
    const double start = programmer.clock();
    if (checks_chip(operation)) {
        engine.reset_report();
    }
    view.disable();
    view.set_status(texts.start);
    view.pump_events();
    if (operation == ChipOperation::ReadAll) {
        programmer.image.blank_image(programmer.model);
        view.updatedisplay();
        view.pump_events();
    }

    // The chip in the socket and its calibration are looked at before
    // anything is written to it.
    SafetyStop stop;
    std::optional<ChipCalibration> calibration;
    bool refused = false;
    if (auto wrong_chip = check_chip_in_socket(programmer, view)) {
        stop = *wrong_chip;
        refused = true;
    } else if (writes_chip(operation) && programmer.model.safety.keeps_calibration()) {
        calibration = read_calibration(programmer, view, stop);
        refused = !calibration;
    }
    if (refused) {
        view.enable();
        result.outcome = OperationOutcome::ChipRefused;
        result.status = stop.status;
        view.set_status(result.status);
        view.pump_events();
        return result;
    }
    if (operation == ChipOperation::ProgramAll && calibration) {
        // The chip's own calibration goes back in, whatever the file held.
        apply_calibration(*calibration, programmer.model.safety, programmer.image);
        view.updatedisplay();
        view.pump_events();
    }

    RunOutcome run = engine.run(view);
    if (run == RunOutcome::Completed && operation == ChipOperation::EraseAll && calibration) {
        run = restore_calibration(programmer, *calibration, view);
    }
    if (run == RunOutcome::Unrecognized) {
        // The program ends here; nothing of the operation's ending applies.
        result.outcome = OperationOutcome::Unrecognized;
        return result;
    }
    view.enable();
    result.elapsed = elapsed_text(programmer.clock() - start);
    result.violations = programmer.backend().take_violations();

    if (run == RunOutcome::Stopped || run == RunOutcome::ListError) {
        result.outcome =
            run == RunOutcome::Stopped ? OperationOutcome::Stopped : OperationOutcome::ListError;
        result.status = run == RunOutcome::Stopped ? "Operation stopped. The chip is powered down."
                                                   : "Operation stopped by an algorithm error.";
        view.set_status(result.status);
        view.pump_events();
        if (operation == ChipOperation::ReadAll) {
            view.updatedisplay();
        }
        show_violations(result.violations, view);
        return result;
    }

    const bool differences = checks_chip(operation) && engine.mismatch_count() != 0;
    result.outcome = differences ? OperationOutcome::Failed : OperationOutcome::Passed;
    result.status = std::string(differences ? texts.failed : texts.passed) + result.elapsed +
                    " seconds elapsed...";
    view.set_status(result.status);
    view.pump_events();
    if (differences) {
        view.msg_box(std::string(texts.box_heading) + "\r\n\r\n" + engine.mismatch_report(),
                     MsgKind::Error, "");
        view.pump_events();
    }
    if (operation == ChipOperation::ReadAll) {
        view.updatedisplay();
        view.pump_events();
    }
    show_violations(result.violations, view);
    return result;
}

OperationResult program_all(Programmer& p, OperationView& v) {
    return run_chip_operation(p, ChipOperation::ProgramAll, v);
}
OperationResult read_all(Programmer& p, OperationView& v) {
    return run_chip_operation(p, ChipOperation::ReadAll, v);
}
OperationResult erase_all(Programmer& p, OperationView& v) {
    return run_chip_operation(p, ChipOperation::EraseAll, v);
}
OperationResult blank_check(Programmer& p, OperationView& v) {
    return run_chip_operation(p, ChipOperation::BlankCheck, v);
}
OperationResult verify_chip(Programmer& p, OperationView& v) {
    return run_chip_operation(p, ChipOperation::Verify, v);
}

}  // namespace picprog
