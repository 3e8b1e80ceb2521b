// How close Program All comes to the chip's own limit: a full Program All of
// the largest model of the shipped database, on the simulated chip with its
// waits taken in real time, against the sum of the waits the model's
// algorithm asks for (wprog, w and the 50 ms supply waits). Whatever is
// above 1 is the time of our own code: driver, engine, simulation and the
// oversleep of the system's timer.
//
// Usage: figure_program_all_waits [DATABASE] [--model NAME]
// Prints "key value" lines for scripts/bench.
#include <sys/resource.h>

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "core/devices/device_loader.h"
#include "core/engine/chip_operations.h"
#include "core/engine/programmer.h"
#include "core/hardware/null_backend.h"
#include "core/sim/chip_for_model.h"
#include "core/sim/simulated_programmer.h"
#include "figures/full_image.h"
#include "figures/model_choice.h"
#include "figures/quiet_view.h"
#include "figures/stopwatch.h"
#include "figures/wait_tally_backend.h"

namespace picprog::bench {
namespace {

struct Options {
    std::string database = PICPROG_SOURCE_DIR "/data/picprogdevices.txt";
    std::string model;  // empty: the largest
};

Options parse_options(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--model" && i + 1 < argc) {
            options.model = argv[++i];
        } else {
            options.database = std::string(arg);
        }
    }
    return options;
}

// The chip must hold the whole image afterwards, or the run proved nothing.
bool chip_holds(SimulatedProgrammer& board, const MemoryImage& image) {
    const ChipMemory& memory = board.chip().memory();
    for (size_t i = 0; i < image.flash.size(); ++i) {
        if (memory.program(static_cast<int32_t>(i)) != image.flash[i]) {
            return false;
        }
    }
    for (size_t i = 0; i < image.eeprom.size(); ++i) {
        if (memory.data(static_cast<int32_t>(i)) != image.eeprom[i]) {
            return false;
        }
    }
    return memory.config(kConfig1Address) == image.config[1];
}

// Processor time of this process so far (user and system), in seconds.
double cpu_seconds() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

int run(const Options& options) {
    const DatabaseLoadResult loaded = load_device_database(options.database);
    if (loaded.status != DatabaseLoadStatus::Ok) {
        std::fprintf(stderr, "cannot load %s\n", options.database.c_str());
        return 1;
    }
    Programmer programmer(std::make_unique<NullBackend>());
    programmer.database = loaded.database;
    const int32_t number = options.model.empty() ? largest_model(programmer.database)
                                                 : model_named(programmer.database, options.model);
    if (!programmer.select(number)) {
        std::fprintf(stderr, "no model %s in %s\n", options.model.c_str(),
                     options.database.c_str());
        return 1;
    }
    auto board = std::make_unique<SimulatedProgrammer>(chip_for_model(programmer.model.name));
    board->set_real_sleep(true);
    SimulatedProgrammer& chip = *board;
    auto tally_owner = std::make_unique<WaitTallyBackend>(std::move(board));
    const WaitTallyBackend& tally = *tally_owner;
    programmer.set_backend(std::move(tally_owner));
    // Idle levels first, as the program does when it attaches a port.
    programmer.driver().all_lines_off();
    fill_full_image(programmer.model, programmer.image);

    QuietView view;
    const double cpu_start = cpu_seconds();
    const double start = now_seconds();
    const OperationResult result = program_all(programmer, view);
    const double wall = now_seconds() - start;
    const double cpu = cpu_seconds() - cpu_start;

    if (result.outcome != OperationOutcome::Passed || view.boxes != 0 ||
        !chip_holds(chip, programmer.image)) {
        std::fprintf(stderr, "Program All did not program the chip: %s\n", view.status.c_str());
        return 1;
    }
    const double waits = static_cast<double>(tally.slept_ms()) / 1000.0;
    std::printf("model %s\n", programmer.model.name.c_str());
    std::printf("flash_words %d\n", programmer.model.flash_size);
    std::printf("wall_s %.4f\n", wall);
    std::printf("waits_s %.4f\n", waits);
    // What is above the waits is either our code running (processor time)
    // or the system waking us later than asked (the rest).
    std::printf("cpu_s %.4f\n", cpu);
    std::printf("oversleep_s %.4f\n", wall - waits - cpu);
    std::printf("sleeps %lld\n", static_cast<long long>(tally.sleeps()));
    std::printf("port_accesses %lld\n", static_cast<long long>(tally.accesses()));
    // The pause after each command is asked for too, but the simulated
    // board does not take it in real time, so the limit leaves it out.
    std::printf("command_delays %lld\n", static_cast<long long>(tally.delays()));
    std::printf("ratio %.4f\n", wall / waits);
    return 0;
}

}  // namespace
}  // namespace picprog::bench

int main(int argc, char** argv) {
    return picprog::bench::run(picprog::bench::parse_options(argc, argv));
}
