#include <benchmark/benchmark.h>

#include <cstdint>
#include <utility>

#include "core/hardware/line_driver.h"
#include "core/hardware/line_settings.h"
#include "core/hardware/null_backend.h"
#include "core/hardware/recording_backend.h"

namespace picprog {
namespace {

constexpr int32_t kReadProgramCommand = 0x04;

// Port accesses one read frame makes, counted on a recording back end so the
// rate below follows the driver rather than a number copied into this file.
int64_t accesses_per_read_frame() {
    LineSettings settings;
    PortShadow shadow;
    RecordingBackend recorder;
    LineDriver driver(settings, shadow, recorder);
    driver.send_command_read_data(kReadProgramCommand);
    int64_t port_accesses = 0;
    for (const PortAccess& a : recorder.accesses()) {
        const bool is_port = a.kind == PortAccess::Kind::Write || a.kind == PortAccess::Kind::Read;
        port_accesses += is_port ? 1 : 0;
    }
    return port_accesses;
}

void run_read_frames(benchmark::State& state, EventPump pump) {
    LineSettings settings;
    PortShadow shadow;
    NullBackend backend;
    LineDriver driver(settings, shadow, backend, std::move(pump));
    const int64_t per_frame = accesses_per_read_frame();
    int64_t frames = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(driver.send_command_read_data(kReadProgramCommand));
        ++frames;
    }
    state.counters["port_accesses"] =
        benchmark::Counter(static_cast<double>(frames * per_frame), benchmark::Counter::kIsRate);
}

// The driver alone, as a headless caller uses it.
void BM_ReadFrameWithoutPump(benchmark::State& state) {
    run_read_frames(state, {});
}
BENCHMARK(BM_ReadFrameWithoutPump);

// With a trivial pump, to show the cost of the call made after every flush.
void BM_ReadFrameWithPump(benchmark::State& state) {
    int64_t pumps = 0;
    run_read_frames(state, [&pumps] { benchmark::DoNotOptimize(++pumps); });
}
BENCHMARK(BM_ReadFrameWithPump);

}  // namespace
}  // namespace picprog
