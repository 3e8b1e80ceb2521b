// What the line driver and the engine cost per port access during a Verify
// of an 8192-word model: on a null back end (our code alone) and on the
// simulated chip (our code plus the simulation).
#include <benchmark/benchmark.h>

#include <memory>

#include "core/engine/chip_operations.h"
#include "core/engine/programmer.h"
#include "core/hardware/null_backend.h"
#include "core/sim/chip_for_model.h"
#include "core/sim/simulated_programmer.h"

namespace picprog {
namespace {

constexpr int32_t kFlashWords = 8192;
constexpr const char* kVerifyList = "begin,setflashloop,temp=s04,checkflash,s06,loop,end";

// Counts port accesses on its way to another back end.
class CountingBackend : public PortBackend {
public:
    explicit CountingBackend(std::unique_ptr<PortBackend> inner) : inner_(std::move(inner)) {}
    void write(int32_t address, uint8_t value) override {
        ++accesses;
        inner_->write(address, value);
    }
    uint8_t read(int32_t address) override {
        ++accesses;
        return inner_->read(address);
    }
    void sleep_ms(int32_t ms) override { inner_->sleep_ms(ms); }
    void delay_us(int32_t us) override { inner_->delay_us(us); }
    int64_t accesses = 0;

private:
    std::unique_ptr<PortBackend> inner_;
};

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

void setup_model(Programmer& programmer) {
    programmer.model.flash_size = kFlashWords;
    programmer.model.eeprom_size = 256;
    programmer.model.config_erased = {0, 0x3FFF, 0x3FFF};
    programmer.model.voltage_sequence = VoltageSequence::VddFirst;
    programmer.model.lists[static_cast<size_t>(AlgorithmKind::Verify)] =
        split_instructions(kVerifyList);
    programmer.image.blank_image(programmer.model);
}

void run_verify(benchmark::State& state, std::unique_ptr<PortBackend> inner) {
    auto counting = std::make_unique<CountingBackend>(std::move(inner));
    CountingBackend* counter = counting.get();
    Programmer programmer(std::move(counting));
    setup_model(programmer);
    QuietView view;
    for (auto _ : state) {
        benchmark::DoNotOptimize(verify_chip(programmer, view).outcome);
    }
    state.counters["port_accesses"] =
        benchmark::Counter(static_cast<double>(counter->accesses), benchmark::Counter::kIsRate);
    state.counters["accesses_per_verify"] =
        static_cast<double>(counter->accesses) / static_cast<double>(state.iterations());
}

void BM_VerifyNullBackend(benchmark::State& state) {
    run_verify(state, std::make_unique<NullBackend>());
}
BENCHMARK(BM_VerifyNullBackend)->Unit(benchmark::kMillisecond);

void BM_VerifySimulatedChip(benchmark::State& state) {
    run_verify(state, std::make_unique<SimulatedProgrammer>(chip_for_model("PIC16F877A")));
}
BENCHMARK(BM_VerifySimulatedChip)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace picprog
