#include "cli/cli_app.h"

#include <CLI/CLI.hpp>
#include <array>
#include <functional>

#include "cli/chip_commands.h"
#include "cli/database_commands.h"
#include "cli/dump_command.h"
#include "cli/exit_status.h"
#include "core/sim/fault_spec.h"

namespace picprog {
namespace {

constexpr auto kProgramName = "quellmark-picprog-cli";
constexpr auto kDescription =
    "Quellmark Parallel Port PIC Programmer, command-line tool: programs, reads, erases, "
    "blank-checks and verifies 14-bit PIC microcontrollers on a parallel-port programmer "
    "(or a simulated one), with the device database and settings of the desktop program.";

void add_database_option(CLI::App& command, ChipOptions& options) {
    command
        .add_option("--db", options.database,
                    "Device database to use instead of the first picprogdevices.txt found")
        ->type_name("FILE");
}

void add_model_option(CLI::App& command, ChipOptions& options) {
    command
        .add_option("--model", options.model,
                    "Model name or number, or auto to take the model whose device ID the chip "
                    "answers with (default: the stored \"Microcontroller Model\")")
        ->type_name("NAME|NUMBER|auto");
}

void add_port_options(CLI::App& command, ChipOptions& options) {
    command
        .add_option("--port", options.port,
                    "Parallel port: 1, 2, 3 or an I/O address such as 888, 0x378, 378h "
                    "(default: the stored \"Parallel Port Address\")")
        ->type_name("1|2|3|ADDRESS");
    command
        .add_flag("--simulate{}", options.state_file,
                  "Use a simulated programmer and chip; with =STATE_FILE the chip's memory "
                  "is kept in that file between runs")
        ->option_text("[=STATE_FILE]");
    command
        .add_option("--sim-fault", options.sim_faults,
                    "With --simulate: put a fault into the simulated board (repeatable): " +
                        std::string(kFaultSpecHelp))
        ->type_name("NAME[:ARGS]")
        ->allow_extra_args(false);
    command
        .add_option("--trace", options.trace,
                    "Record every line change into a VCD file (PulseView, GTKWave)")
        ->type_name("FILE.vcd");
}

// "--simulate{}" makes the flag's value optional; the braces are syntax,
// not something for the help to show.
class HelpFormatter : public CLI::Formatter {
public:
    std::string make_option_name(const CLI::Option* option, bool positional) const override {
        std::string name = CLI::Formatter::make_option_name(option, positional);
        for (size_t at = name.find("{}"); at != std::string::npos; at = name.find("{}")) {
            name.erase(at, 2);
        }
        return name;
    }
};

struct ChipCommandSpec {
    const char* name;
    ChipCommand command;
    const char* description;
    const char* file_help;  // nullptr: the command takes no file
};

constexpr std::array<ChipCommandSpec, 5> kChipCommands{{
    {"program", ChipCommand::Program,
     "Program the chip with a HEX file (Program All), then verify it", "Intel HEX file to program"},
    {"verify", ChipCommand::Verify, "Compare the chip with a HEX file (Verify)",
     "Intel HEX file to compare with"},
    {"read", ChipCommand::Read, "Read the chip (Read All) and save it as a HEX file",
     "Intel HEX file to write (replaced when it exists)"},
    {"erase", ChipCommand::Erase, "Erase the chip (Erase All)", nullptr},
    {"blank-check", ChipCommand::BlankCheck, "Check that the chip is erased (Blank Check)",
     nullptr},
}};

}  // namespace

int run_cli(const std::vector<std::string>& arguments, const CliContext& context) {
    CLI::App app(kDescription, kProgramName);
    app.formatter(std::make_shared<HelpFormatter>());
    app.require_subcommand(1);
    app.footer(
        "Exit status: 0 success, 1 differences found (verify, blank-check, check-db), "
        "2 usage error or unreadable file or database, 3 port not available, no chip, or "
        "another chip than the model (without --force), "
        "4 the simulated chip saw its programming rules broken.");

    ChipOptions options;
    std::string file;
    std::function<ExitStatus()> action;

    CLI::App* list_models = app.add_subcommand("list-models", "List the models of the database");
    add_database_option(*list_models, options);
    list_models->callback([&] { action = [&] { return run_list_models(options, context); }; });

    CLI::App* check_db = app.add_subcommand(
        "check-db",
        "Check a device database: loader diagnostics, instructions the engine "
        "would refuse, unterminated loops and page blocks, empty algorithm slots, "
        "duplicate model names; then run every model's five algorithms on a fresh "
        "simulated chip and report each failed step and each chip rule broken");
    check_db->add_option("FILE", file, "Database file (default: the one the tool would use)")
        ->type_name("FILE");
    add_database_option(*check_db, options);
    check_db
        ->add_option("--model", options.model,
                     "Run only this model's algorithms on the simulated chip (the whole "
                     "file is still checked for the rest)")
        ->type_name("NAME|NUMBER");
    check_db->callback([&] { action = [&] { return run_check_db(file, options, context); }; });

    CLI::App* dump = app.add_subcommand(
        "dump", "Load a HEX file for the model and print the buffer as the main window shows it");
    dump->add_option("FILE", file, "Intel HEX file")->type_name("FILE")->required();
    add_database_option(*dump, options);
    add_model_option(*dump, options);
    dump->callback([&] { action = [&] { return run_dump_command(file, options, context); }; });

    for (const ChipCommandSpec& spec : kChipCommands) {
        CLI::App* command = app.add_subcommand(spec.name, spec.description);
        if (spec.file_help != nullptr) {
            command->add_option("FILE", file, spec.file_help)->type_name("FILE")->required();
        }
        add_database_option(*command, options);
        add_model_option(*command, options);
        add_port_options(*command, options);
        if (spec.command == ChipCommand::Program) {
            command->add_flag("--no-verify", options.no_verify, "Do not verify after programming");
        }
        command->add_flag("--force", options.force,
                          "Go on when the chip in the socket answers with another model's "
                          "device ID");
        if (spec.command == ChipCommand::Program || spec.command == ChipCommand::Erase) {
            command
                ->add_option("--osccal", options.osccal,
                             "Calibration word to write back (34xxh) when the chip's was lost "
                             "before")
                ->type_name("34XX");
        }
        const ChipCommand chip_command = spec.command;
        CLI::Option* simulate = command->get_option("--simulate");
        command->callback([&, chip_command, simulate] {
            options.simulate = simulate->count() > 0;
            action = [&, chip_command] {
                return run_chip_command(chip_command, file, options, context);
            };
        });
    }

    CLI::App* identify = app.add_subcommand(
        "identify", "Read the chip's device ID and say which part is in the socket");
    add_database_option(*identify, options);
    add_model_option(*identify, options);
    add_port_options(*identify, options);
    {
        CLI::Option* simulate = identify->get_option("--simulate");
        identify->callback([&, simulate] {
            options.simulate = simulate->count() > 0;
            action = [&] { return run_identify(options, context); };
        });
    }

    // A misspelt command would otherwise read as "a subcommand is required".
    if (!arguments.empty() && !arguments.front().starts_with('-') &&
        app.get_subcommands([&](const CLI::App* c) { return c->get_name() == arguments.front(); })
            .empty()) {
        context.console.err << kProgramName << ": unknown command \"" << arguments.front() << "\"\n"
                            << "Run \"" << kProgramName << " --help\" for the commands.\n";
        return exit_code(ExitStatus::UsageError);
    }
    // CLI11 takes the arguments in reverse order, without the program name.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e, context.console.out, context.console.err);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e, context.console.out, context.console.err);
    } catch (const CLI::ParseError& e) {
        context.console.err << kProgramName << ": " << e.what() << "\n"
                            << "Run \"" << kProgramName << " --help\" for the commands, or \""
                            << kProgramName << " COMMAND --help\" for one command's options.\n";
        return exit_code(ExitStatus::UsageError);
    }
    return exit_code(action());
}

}  // namespace picprog
