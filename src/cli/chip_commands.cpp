#include "cli/chip_commands.h"

#include "cli/chip_session.h"
#include "cli/console_view.h"
#include "cli/stop_signals.h"
#include "core/engine/chip_identity.h"
#include "core/engine/chip_operations.h"
#include "core/engine/chip_safety.h"
#include "core/hexfile/hex_load.h"
#include "core/hexfile/hex_save.h"

namespace picprog {
namespace {

bool needs_hex_input(ChipCommand command) {
    return command == ChipCommand::Program || command == ChipCommand::Verify;
}

ChipOperation operation_of(ChipCommand command) {
    switch (command) {
        case ChipCommand::Program:
            return ChipOperation::ProgramAll;
        case ChipCommand::Verify:
            return ChipOperation::Verify;
        case ChipCommand::Read:
            return ChipOperation::ReadAll;
        case ChipCommand::Erase:
            return ChipOperation::EraseAll;
        case ChipCommand::BlankCheck:
            break;
    }
    return ChipOperation::BlankCheck;
}

// The exit status an operation's outcome stands for; nullopt to go on.
std::optional<ExitStatus> status_of(OperationOutcome outcome) {
    switch (outcome) {
        case OperationOutcome::Passed:
            return std::nullopt;
        case OperationOutcome::Failed:
            return ExitStatus::Differences;
        case OperationOutcome::ChipRefused:
            return ExitStatus::PortUnavailable;
        case OperationOutcome::Ignored:
        case OperationOutcome::Stopped:
        case OperationOutcome::ListError:
        case OperationOutcome::Unrecognized:
            break;
    }
    // The model's instruction list could not run: a fault of the database.
    return ExitStatus::UsageError;
}

// Runs one operation and prints its result caption.
std::optional<ExitStatus> run_operation(ChipSession& session, ChipOperation operation,
                                        ConsoleView& view, const Console& console) {
    const OperationResult result = run_chip_operation(session.programmer(), operation, view);
    view.finish_progress();
    if (!result.status.empty()) {
        console.out << result.status << "\n";
        console.out.flush();
    }
    const std::optional<ExitStatus> status = status_of(result.outcome);
    if (!status && !result.violations.empty()) {
        // The words may have verified by luck; a real chip would not.
        return ExitStatus::RulesBroken;
    }
    return status;
}

}  // namespace

bool is_auto_model(std::string_view model) {
    return model == "auto" || model == "AUTO" || model == "Auto";
}

std::optional<ExitStatus> select_model_of_chip(ChipSession& session, const Console& console) {
    Programmer& programmer = session.programmer();
    const ChipIdentity identity = identify_chip(programmer);
    if (identity.answer != ChipAnswer::Known) {
        console.err << identity_text(identity, programmer.database) << "\n"
                    << "--model auto: no model of the database has this chip; choose one with "
                       "--model.\n";
        return ExitStatus::PortUnavailable;
    }
    programmer.select(identity.model);
    console.err << "--model auto: " << identity_text(identity, programmer.database) << "\n";
    print_model_warning(programmer.model, console.err);
    return std::nullopt;
}

ExitStatus run_identify(const ChipOptions& options, const CliContext& context) {
    const Console& console = context.console;
    ChipSession session(context);
    if (auto failed = session.prepare(options)) {
        return *failed;
    }
    if (auto failed = session.attach_port(options)) {
        return *failed;
    }
    Programmer& programmer = session.programmer();
    const ChipIdentity identity = identify_chip(programmer);
    console.out << identity_text(identity, programmer.database) << "\n";
    if (identity.answer == ChipAnswer::Known && identity.model != programmer.model.index) {
        console.out << "The selected model is " << programmer.model.name << "; use --model "
                    << programmer.database.model(identity.model)->name
                    << " (or --model auto) for this chip.\n";
    }
    if (auto saved = session.save_chip_state()) {
        return *saved;
    }
    return identity.answer == ChipAnswer::NoChip ? ExitStatus::PortUnavailable
                                                 : ExitStatus::Success;
}

ExitStatus run_chip_command(ChipCommand command, const std::string& hex_file,
                            const ChipOptions& options, const CliContext& context) {
    const Console& console = context.console;
    ChipSession session(context);
    if (auto failed = session.prepare(options)) {
        return *failed;
    }
    ConsoleView view(console, console.err);
    Programmer& programmer = session.programmer();
    if (!options.osccal.empty() && !parse_retlw(options.osccal)) {
        console.err << "--osccal: \"" << options.osccal
                    << "\" is not a RETLW instruction (34xxh), the form of a calibration word.\n";
        return ExitStatus::UsageError;
    }
    view.set_questions(options.force ? ConsoleView::Questions::YesForced
                                     : ConsoleView::Questions::No);
    view.set_input_answer(options.osccal, "Give --osccal=34XX to write a value back.");
    const bool auto_model = is_auto_model(options.model);
    if (auto_model) {
        // The chip decides the model, and the model decides how a HEX file
        // is read: the port comes first.
        if (auto failed = session.attach_port(options)) {
            return *failed;
        }
        if (auto failed = select_model_of_chip(session, console)) {
            return *failed;
        }
    }
    // A stop signal ends the run at its next step with the chip powered
    // down; the state file and the trace below are still written. The
    // driver runs this after every port access, so no list escapes it.
    programmer.set_event_pump([&programmer] {
        if (caught_stop_signal() != 0) {
            programmer.engine().request_stop();
        }
    });
    if (needs_hex_input(command)) {
        const LoadOutcome loaded =
            load_hex_file(hex_file, programmer.model, programmer.image, view);
        if (!loaded.loaded) {
            return ExitStatus::UsageError;
        }
        console.out << view.status() << "\n";
    }
    if (!auto_model) {
        if (auto failed = session.attach_port(options)) {
            return *failed;
        }
    }

    std::optional<ExitStatus> failed = run_operation(session, operation_of(command), view, console);
    if (!failed && command == ChipCommand::Program && !options.no_verify) {
        failed = run_operation(session, ChipOperation::Verify, view, console);
    }
    // The chip keeps what the run did to it, whatever the result.
    const std::optional<ExitStatus> saved = session.save_chip_state();
    if (failed) {
        return *failed;
    }
    if (saved) {
        return *saved;
    }
    if (command == ChipCommand::Read) {
        view.set_questions(ConsoleView::Questions::YesSilently);
        const SaveOutcome written =
            save_hex_file(hex_file, programmer.image, programmer.model, view);
        if (written.status != SaveStatus::Saved) {
            return ExitStatus::UsageError;
        }
        console.out << view.status() << "\n";
    }
    return ExitStatus::Success;
}

}  // namespace picprog
