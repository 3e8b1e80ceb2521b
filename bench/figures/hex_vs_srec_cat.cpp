// Loading and saving a full HEX image against srec_cat reading and writing
// the same file. The image is the largest the program handles: 8192 FLASH
// words, 256 EEPROM bytes and both configuration words. Our load and save
// are the program's own (load_hex_file, save_hex_file: read, parse; text,
// temporary file, flush to disk, rename); srec_cat is timed as a whole
// process, the way a user would run it. Each time is the best of its runs,
// so a busy machine disturbs the figure less.
//
// Usage: figure_hex_vs_srec_cat [RUNS]
// Prints "key value" lines for scripts/bench.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>

#include "core/files/atomic_file_write.h"
#include "core/files/file_read.h"
#include "core/hexfile/hex_load.h"
#include "core/hexfile/hex_reader.h"
#include "core/hexfile/hex_save.h"
#include "core/hexfile/hex_writer.h"
#include "figures/child_process.h"
#include "figures/full_image.h"
#include "figures/quiet_view.h"
#include "figures/stopwatch.h"

namespace picprog::bench {
namespace {

constexpr int kDefaultRuns = 30;
// Best wall time of `runs` calls; a call answering false ends the figure.
double best_of(int runs, const std::function<bool()>& once) {
    double best = std::numeric_limits<double>::infinity();
    for (int i = 0; i < runs; ++i) {
        const double start = now_seconds();
        if (!once()) {
            return -1;
        }
        best = std::min(best, now_seconds() - start);
    }
    return best;
}

// What a HEX file holds, read with our own reader.
bool file_holds(const std::string& path, const CurrentModel& model, const MemoryImage& expected) {
    const FileReadResult file = read_whole_file(path, kHexFileLimit);
    MemoryImage image;
    image.blank_image(model);
    return file.ok && parse_hex_file(file.bytes, model, image).ok() && same_image(image, expected);
}

int run(int runs) {
    const CurrentModel model = largest_image_model();
    MemoryImage original;
    fill_full_image(model, original);
    original.config[1] = 0x3F72;
    original.config[2] = 0x0123;

    std::string folder_name =
        (std::filesystem::temp_directory_path() / "picprog-hex-figure-XXXXXX").string();
    if (mkdtemp(folder_name.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path folder = folder_name;
    const std::string input = (folder / "full.hex").string();
    const std::string saved = (folder / "saved.hex").string();
    const std::string converted = (folder / "srec_cat.hex").string();
    if (!write_file_atomically(input, hex_file_text(original, model)).ok) {
        std::fprintf(stderr, "cannot write %s\n", input.c_str());
        return 1;
    }

    QuietView view;
    MemoryImage image;
    const double load = best_of(runs, [&] {
        const LoadOutcome outcome = load_hex_file(input, model, image, view);
        return outcome.loaded && outcome.words_loaded == model.flash_size;
    });
    const bool load_right = load > 0 && same_image(image, original) && view.boxes == 0;

    const double save = best_of(runs, [&] {
        return save_hex_file(saved, original, model, view).status == SaveStatus::Saved;
    });
    const bool save_right = save > 0 && file_holds(saved, model, original);

    const double srec = best_of(runs, [&] {
        const ChildRun child = run_child({"srec_cat", input, "-intel", "-o", converted, "-intel"});
        return child.started && child.exit_status == 0;
    });
    // srec_cat must have carried the whole image across, or it did less work.
    const bool srec_right = srec > 0 && file_holds(converted, model, original);

    std::filesystem::remove_all(folder);
    if (!load_right || !save_right || !srec_right) {
        std::fprintf(stderr, "a run went wrong: load %d, save %d, srec_cat %d\n", load_right,
                     save_right, srec_right);
        return 1;
    }
    std::printf("file_bytes %zu\n", hex_file_text(original, model).size());
    std::printf("runs %d\n", runs);
    std::printf("load_ms %.3f\n", load * 1000);
    std::printf("save_ms %.3f\n", save * 1000);
    std::printf("srec_cat_ms %.3f\n", srec * 1000);
    std::printf("load_ratio %.4f\n", load / srec);
    std::printf("save_ratio %.4f\n", save / srec);
    return 0;
}

}  // namespace
}  // namespace picprog::bench

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : picprog::bench::kDefaultRuns;
    return picprog::bench::run(std::max(runs, 1));
}
