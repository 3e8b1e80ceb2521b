#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli_app.h"
#include "cli/stop_signals.h"

namespace {

// The folder of the running executable, where the device database may lie.
std::filesystem::path program_folder(const char* argv0) {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        exe = std::filesystem::absolute(argv0, error);
    }
    return error ? std::filesystem::path() : exe.parent_path();
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const picprog::CliContext context{
        picprog::Console{std::cout, std::cerr, isatty(STDERR_FILENO) != 0},
        picprog::process_environment(), program_folder(argv[0])};
    const picprog::StopSignals stop_signals;
    const int status = picprog::run_cli(arguments, context);
    if (const int signal_number = picprog::caught_stop_signal(); signal_number != 0) {
        std::cout.flush();
        std::cerr << "quellmark-picprog-cli: stopped by "
                  << picprog::stop_signal_name(signal_number) << ".\n";
        return picprog::kSignalExitBase + signal_number;
    }
    return status;
}
