// Program All and Verify of a full random image on the largest part of each
// family of the shipped device database, on the simulated board. The
// simulated (virtual) times are what a real port would take with 1 us per
// port access; "datasheet_s" is the sum of the part's own write-cycle times
// for the same image, so "program_ratio" shows how close the family's
// algorithm comes to the chip's limit (the rest is port traffic and the
// supply settling of each entry into programming mode).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <iterator>
#include <memory>
#include <random>
#include <string>

#include "core/devices/device_loader.h"
#include "core/engine/chip_operations.h"
#include "core/engine/programmer.h"
#include "core/sim/chip_for_model.h"
#include "core/sim/simulated_programmer.h"

namespace picprog {
namespace {

class QuietView : public OperationView {
public:
    void disable() override {}
    void enable() override {}
    void set_status(std::string_view) override {}
    void updatedisplay() override {}
    int msg_box(std::string_view, MsgKind, std::string_view) override { return 1; }
    void pump_events() override {}
    void fatal_exit() override {}
};

const DeviceDatabase& shipped_database() {
    static const DeviceDatabase kDatabase = [] {
        const std::filesystem::path file =
            std::filesystem::path(__FILE__).parent_path().parent_path() / "data" /
            "picprogdevices.txt";
        return load_device_database(file).database;
    }();
    return kDatabase;
}

int32_t model_number(const std::string& name) {
    const auto& models = shipped_database().models;
    for (size_t i = 0; i < models.size(); ++i) {
        if (models[i].name == name) {
            return static_cast<int32_t>(i + 1);
        }
    }
    return 0;
}

// The longest write-cycle times a family's parts may need, in milliseconds.
struct CycleTimes {
    double block_ms;  // one program-memory write (one word or one latch block)
    int32_t block_words;
    double data_ms;    // one EEPROM byte
    double config_ms;  // one configuration word
};

struct Case {
    const char* model;
    CycleTimes times;
};

// The largest part of each family and its documented write-cycle times.
constexpr Case kCases[] = {
    {"PIC16F84A", {8.0, 1, 8.0, 8.0}},   // 08h erase+program
    {"PIC16F648A", {4.0, 1, 6.0, 4.0}},  // TPROG, TDPROG
    {"PIC16F877A", {8.0, 8, 8.0, 8.0}},  // tprog2 per 8-word block
    {"PIC16F88", {1.0, 4, 1.0, 1.0}},    // tprog1 above 4.5 V
    {"PIC16F676", {2.5, 1, 6.0, 2.5}},   // TPROG1
    {"PIC16F690", {3.0, 4, 6.0, 3.0}},   // TPROG1 per 4-word block
    {"PIC16F887", {3.0, 4, 6.0, 3.0}},   // TPROG1 per 4-word block
    {"PIC16F716", {2.1, 4, 0.0, 2.1}},   // TPROG + TDIS
    {"PIC16F77", {1.0, 2, 0.0, 1.0}},    // tprog per 2-word block
    {"PIC16F877", {8.0, 1, 8.0, 8.0}},   // tera + tprog
    {"PIC16F727", {2.5, 8, 0.0, 5.0}},   // TPINT per 8-word block, 5 ms per config word
    {"PIC16F777", {1.0, 2, 0.0, 1.0}},   // tprog per 2-word block
    {"PIC16F688", {3.0, 4, 6.0, 3.0}},   // TPROG1 per 4-word block
    {"PIC16F639", {3.0, 4, 6.0, 3.0}},   // TPROG1 per 4-word block
    {"PIC16F946", {3.0, 4, 6.0, 3.0}},   // TPROG1 per 4-word block
    {"PIC16F616", {3.1, 1, 0.0, 3.1}},   // TPROG + TDIS
    {"PIC16F785", {2.5, 4, 6.0, 2.5}},   // TPROG1 per 4-word block
};

void BM_ProgramAndVerifyLargestPart(benchmark::State& state) {
    const Case& c = kCases[static_cast<size_t>(state.range(0))];
    state.SetLabel(c.model);
    auto board = std::make_unique<SimulatedProgrammer>(chip_for_model(c.model));
    SimulatedProgrammer* sim = board.get();
    Programmer programmer(std::move(board));
    programmer.database = shipped_database();
    if (!programmer.select(model_number(c.model))) {
        state.SkipWithError("model missing from the shipped database");
        return;
    }
    programmer.driver().all_lines_off();
    const CurrentModel& model = programmer.model;

    std::mt19937 rng(7);
    std::uniform_int_distribution<int32_t> word(0, 0x3FFE);
    std::uniform_int_distribution<int32_t> byte(0, 0xFE);
    MemoryImage image;
    image.blank_image(model);
    for (auto& w : image.flash) {
        w = word(rng);
    }
    for (auto& b : image.eeprom) {
        b = byte(rng);
    }
    QuietView view;
    int64_t program_us = 0;
    int64_t verify_us = 0;
    bool verified = true;
    for (auto _ : state) {
        state.PauseTiming();
        erase_all(programmer, view);
        programmer.image = image;
        state.ResumeTiming();
        const int64_t start = sim->now_us();
        program_all(programmer, view);
        const int64_t programmed = sim->now_us();
        verified = verify_chip(programmer, view).outcome == OperationOutcome::Passed && verified;
        program_us = programmed - start;
        verify_us = sim->now_us() - programmed;
    }
    if (!verified) {
        state.SkipWithError("the programmed image did not verify");
        return;
    }
    const int32_t blocks = model.flash_size / c.times.block_words;
    const int32_t config_words = model.config2_used ? 2 : 1;
    const double datasheet_ms = blocks * c.times.block_ms + model.eeprom_size * c.times.data_ms +
                                config_words * c.times.config_ms;
    state.counters["virtual_program_s"] = static_cast<double>(program_us) / 1e6;
    state.counters["virtual_verify_s"] = static_cast<double>(verify_us) / 1e6;
    state.counters["datasheet_s"] = datasheet_ms / 1e3;
    state.counters["program_ratio"] = static_cast<double>(program_us) / 1e3 / datasheet_ms;
}
BENCHMARK(BM_ProgramAndVerifyLargestPart)
    ->DenseRange(0, static_cast<int64_t>(std::size(kCases)) - 1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace picprog
