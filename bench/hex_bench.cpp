// Load and save of a full 16F877A-sized image: 8192 FLASH words and 256
// EEPROM bytes, every location non-blank so every record is written.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/devices/current_model.h"
#include "core/files/atomic_file_write.h"
#include "core/files/file_read.h"
#include "core/hexfile/hex_reader.h"
#include "core/hexfile/hex_writer.h"
#include "core/memory/memory_image.h"
#include "figures/full_image.h"

namespace {

using picprog::CurrentModel;
using picprog::MemoryImage;

CurrentModel full_model() {
    return picprog::bench::largest_image_model();
}

MemoryImage full_image(const CurrentModel& model) {
    MemoryImage image;
    picprog::bench::fill_full_image(model, image);
    return image;
}

std::string bench_path(const char* name) {
    return (std::filesystem::temp_directory_path() /
            (std::string("picprog_bench_") + name + std::to_string(::getpid()) + ".hex"))
        .string();
}

// Parse only: text in memory to image.
void BM_ParseFullImage(benchmark::State& state) {
    const CurrentModel model = full_model();
    const std::string text = picprog::hex_file_text(full_image(model), model);
    MemoryImage image;
    for (auto _ : state) {
        image.blank_image(model);
        benchmark::DoNotOptimize(picprog::parse_hex_file(text, model, image));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseFullImage)->Unit(benchmark::kMillisecond);

// Load as the command does it: read the file, blank, parse.
void BM_LoadFullImageFile(benchmark::State& state) {
    const CurrentModel model = full_model();
    const std::string path = bench_path("load");
    picprog::write_file_atomically(path, picprog::hex_file_text(full_image(model), model));
    MemoryImage image;
    for (auto _ : state) {
        const picprog::FileReadResult file = picprog::read_whole_file(path, picprog::kHexFileLimit);
        image.blank_image(model);
        benchmark::DoNotOptimize(picprog::parse_hex_file(file.bytes, model, image));
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadFullImageFile)->Unit(benchmark::kMillisecond);

// Text generation only.
void BM_WriteFullImageText(benchmark::State& state) {
    const CurrentModel model = full_model();
    const MemoryImage image = full_image(model);
    for (auto _ : state) {
        benchmark::DoNotOptimize(picprog::hex_file_text(image, model));
    }
}
BENCHMARK(BM_WriteFullImageText)->Unit(benchmark::kMillisecond);

// Save as the command does it: text, temporary file, flush to disk, rename.
// The fsync dominates and depends on the disk.
void BM_SaveFullImageFile(benchmark::State& state) {
    const CurrentModel model = full_model();
    const MemoryImage image = full_image(model);
    const std::string path = bench_path("save");
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            picprog::write_file_atomically(path, picprog::hex_file_text(image, model)));
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveFullImageFile)->Unit(benchmark::kMillisecond);

}  // namespace
