// Port accesses per second through the line driver into the simulated
// programmer, for a stream of program-memory read frames (with the
// increment between them, as a Read All does).

#include <benchmark/benchmark.h>

#include <cstdint>

#include "core/hardware/line_driver.h"
#include "core/hardware/line_settings.h"
#include "core/sim/chip_for_model.h"
#include "core/sim/simulated_programmer.h"

namespace picprog {
namespace {

constexpr int32_t kReadProgram = static_cast<int32_t>(IcspCommand::ReadProgram);
constexpr int32_t kIncrement = static_cast<int32_t>(IcspCommand::IncrementAddress);

// Counts the accesses that reach the port so the rate reflects real traffic.
class CountingBackend final : public PortBackend {
public:
    explicit CountingBackend(PortBackend& inner) : inner_(inner) {}
    void write(int32_t address, uint8_t value) override {
        ++accesses;
        inner_.write(address, value);
    }
    uint8_t read(int32_t address) override {
        ++accesses;
        return inner_.read(address);
    }
    void sleep_ms(int32_t ms) override { inner_.sleep_ms(ms); }
    void delay_us(int32_t us) override { inner_.delay_us(us); }

    int64_t accesses = 0;

private:
    PortBackend& inner_;
};

void BM_ReadFramesThroughSimulator(benchmark::State& state) {
    SimulatedProgrammer sim(chip_for_model("16F877A"));
    CountingBackend port(sim);
    LineSettings settings;
    PortShadow shadow;
    LineDriver driver(settings, shadow, port);
    driver.all_lines_off();
    driver.power_up(VoltageSequence::VddFirst);
    for (auto _ : state) {
        benchmark::DoNotOptimize(driver.send_command_read_data(kReadProgram));
        driver.send_command(kIncrement);
    }
    state.counters["port_accesses_per_s"] =
        benchmark::Counter(static_cast<double>(port.accesses), benchmark::Counter::kIsRate);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadFramesThroughSimulator);

}  // namespace
}  // namespace picprog
