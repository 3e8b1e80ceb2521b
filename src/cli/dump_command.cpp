#include "cli/dump_command.h"

#include <sstream>

#include "cli/buffer_rows.h"
#include "cli/chip_session.h"
#include "cli/console_view.h"
#include "core/hexfile/hex_load.h"
#include "core/memory/hex_text.h"

namespace picprog {
namespace {

// The captions of the main window's labels.
constexpr std::string_view kModelCaption = "Microcontroller Model: ";
constexpr std::string_view kFlashCaption = "FLASH Memory";
constexpr std::string_view kEepromCaption = "EEPROM Memory";
constexpr std::string_view kConfig1Caption = "Config. Word (2007h): ";
constexpr std::string_view kConfig2Caption = "Config. Word (2008h): ";

void print_rows(std::ostream& out, std::string_view caption, const std::vector<std::string>& rows) {
    out << caption << "\n";
    for (const std::string& row : rows) {
        out << row << "\n";
    }
    out << "\n";
}

}  // namespace

ExitStatus run_dump_command(const std::string& hex_file, const ChipOptions& options,
                            const CliContext& context) {
    const Console& console = context.console;
    ChipSession session(context);
    if (auto failed = session.select_model(options)) {
        return *failed;
    }
    Programmer& programmer = session.programmer();
    const CurrentModel& model = programmer.model;

    // Reader messages are part of what dump reports, so they go with it;
    // a refused file is an error and goes to standard error.
    std::ostringstream messages;
    ConsoleView view(console, messages);
    const LoadOutcome loaded = load_hex_file(hex_file, model, programmer.image, view);
    if (!loaded.loaded) {
        console.err << messages.str() << view.status() << "\n";
        return ExitStatus::UsageError;
    }

    std::ostream& out = console.out;
    out << kModelCaption << model.name << "\n";
    out << "FLASH: " << model.flash_size << ",  EEPROM: " << model.eeprom_size << "\n\n";
    print_rows(out, kFlashCaption, flash_rows(programmer.image));
    print_rows(out, kEepromCaption, eeprom_rows(programmer.image));
    out << kConfig1Caption << hex4(programmer.image.config[1]) << "\n";
    if (model.config2_used) {
        out << kConfig2Caption << hex4(programmer.image.config[2]) << "\n";
    }
    out << "\n" << messages.str() << view.status() << "\n";
    return ExitStatus::Success;
}

}  // namespace picprog
