// What the window costs an operation: a full Verify of the largest model
// run from the real main window's Tools menu (offscreen), against the same
// Verify run by the core alone, both on the simulated board in virtual time
// so that only our own code is timed. While the window runs it, a probe
// measures the longest time between two turns of the event loop.
//
// Usage: figure_gui_verify [DATABASE] [--model NAME] [--runs N]
// Prints "key value" lines for scripts/bench.
#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "core/devices/device_loader.h"
#include "core/engine/chip_operations.h"
#include "core/engine/programmer.h"
#include "core/hardware/null_backend.h"
#include "core/settings/memory_backend.h"
#include "core/settings/settings_store.h"
#include "figures/answering_boxes.h"
#include "figures/event_loop_probe.h"
#include "figures/full_image.h"
#include "figures/model_choice.h"
#include "figures/quiet_view.h"
#include "figures/stopwatch.h"
#include "figures/wait_tally_backend.h"
#include "gui/dialogs/color_theme.h"
#include "gui/mainwindow/clickable_label.h"
#include "gui/mainwindow/event_pump.h"
#include "gui/mainwindow/file_chooser.h"
#include "gui/mainwindow/load_handler.h"
#include "gui/mainwindow/main_window.h"
#include "gui/mainwindow/port_backends.h"
#include "gui/mainwindow/simulated_board.h"

namespace picprog::bench {
namespace {

constexpr int kDefaultRuns = 3;
constexpr int kProgramAll = 0;
constexpr int kVerify = 4;

struct Options {
    std::string database = PICPROG_SOURCE_DIR "/data/picprogdevices.txt";
    std::string model;  // empty: the largest
    int runs = kDefaultRuns;
};

Options parse_options(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--model" && i + 1 < argc) {
            options.model = argv[++i];
        } else if (arg == "--runs" && i + 1 < argc) {
            options.runs = std::max(1, std::stoi(argv[++i]));
        } else {
            options.database = std::string(arg);
        }
    }
    return options;
}

std::unique_ptr<WaitTallyBackend> tallied_board(const CurrentModel& model, int32_t port_base) {
    return std::make_unique<WaitTallyBackend>(make_simulated_board(model, port_base, false));
}

// The window, as start-up builds it, over an in-memory settings store that
// selects the model, with the simulated board in virtual time.
struct WindowRig {
    WindowRig(const DeviceDatabase& database, int32_t model_number) {
        store.write_string("", setting::kMicrocontrollerModel, std::to_string(model_number));
        programmer.database = database;
        window = std::make_unique<MainWindow>(programmer, settings, theme,
                                              MainWindow::Services{boxes, files, [](int) {}});
        PortBackendMakers makers;
        makers.simulated = [this](const CurrentModel& model, int32_t port_base) {
            auto board = tallied_board(model, port_base);
            port = board.get();
            return std::unique_ptr<PortBackend>(std::move(board));
        };
        run_load_handler(*window, programmer, settings, theme, makers,
                         {std::filesystem::temp_directory_path().string(), true});
    }

    // Runs one command of the Tools menu from the event loop, as a click
    // would, and answers its wall time in seconds.
    double run_from_menu(int item) {
        QEventLoop loop;
        double seconds = 0;
        QTimer::singleShot(0, window.get(), [&] {
            const double start = now_seconds();
            window->controls().tools[static_cast<size_t>(item)]->trigger();
            seconds = now_seconds() - start;
            loop.quit();
        });
        loop.exec();
        return seconds;
    }

    std::string status() const { return window->controls().label_status->text().toStdString(); }

    MemoryBackend store;
    SettingsStore settings{store};
    Programmer programmer{std::make_unique<NullBackend>()};
    ThemeState theme;
    AnsweringBoxes boxes;
    DialogFileChooser files;
    WaitTallyBackend* port = nullptr;
    // Last, so that it goes first: it refers to everything above.
    std::unique_ptr<MainWindow> window;
};

// The same model, line settings and board for the core alone.
struct HeadlessRig {
    HeadlessRig(const DeviceDatabase& database, int32_t model_number, const LineSettings& lines) {
        programmer.database = database;
        programmer.select(model_number);
        programmer.line_settings = lines;
        auto board = tallied_board(programmer.model, lines.port_base);
        port = board.get();
        programmer.set_backend(std::move(board));
        programmer.driver().all_lines_off();
    }

    Programmer programmer{std::make_unique<NullBackend>()};
    QuietView view;
    WaitTallyBackend* port = nullptr;
};

// How often a Verify lets the event pump run: counted on the headless
// programmer with a pump that only counts, outside the timed runs.
int64_t pump_calls_per_verify(HeadlessRig& headless) {
    int64_t calls = 0;
    headless.programmer.set_event_pump([&calls] { ++calls; });
    verify_chip(headless.programmer, headless.view);
    headless.programmer.set_event_pump({});
    return calls;
}

// What one call of the window's pump costs when it has nothing to do yet,
// which is nearly always: the window's own pump class, called that often.
double pump_nanoseconds_per_call(int64_t calls) {
    RateLimitedPump pump;
    const double start = now_seconds();
    for (int64_t i = 0; i < calls; ++i) {
        pump.run();
    }
    return (now_seconds() - start) * 1e9 / static_cast<double>(calls);
}

bool starts_with(const std::string& text, std::string_view head) {
    return text.rfind(head, 0) == 0;
}

int run(const Options& options) {
    const DatabaseLoadResult loaded = load_device_database(options.database);
    if (loaded.status != DatabaseLoadStatus::Ok) {
        std::fprintf(stderr, "cannot load %s\n", options.database.c_str());
        return 1;
    }
    const int32_t number = options.model.empty() ? largest_model(loaded.database)
                                                 : model_named(loaded.database, options.model);
    if (number == 0) {
        std::fprintf(stderr, "no model %s\n", options.model.c_str());
        return 1;
    }

    WindowRig gui(loaded.database, number);
    HeadlessRig headless(loaded.database, number, gui.programmer.line_settings);
    if (gui.port == nullptr || gui.programmer.model.index != number) {
        std::fprintf(stderr, "the window did not attach the simulated board\n");
        return 1;
    }
    fill_full_image(gui.programmer.model, gui.programmer.image);
    headless.programmer.image = gui.programmer.image;
    gui.window->updatedisplay();

    // Both chips get the image first, so that each Verify walks all of it.
    gui.run_from_menu(kProgramAll);
    program_all(headless.programmer, headless.view);
    if (!starts_with(gui.status(), "Chip programmed.") ||
        !starts_with(headless.view.status, "Chip programmed.")) {
        std::fprintf(stderr, "Program All failed: %s / %s\n", gui.status().c_str(),
                     headless.view.status.c_str());
        return 1;
    }

    EventLoopProbe probe;
    double best_gui = std::numeric_limits<double>::infinity();
    double best_headless = best_gui;
    double longest_gap_ms = 0;
    int64_t accesses = 0;
    for (int i = 0; i < options.runs; ++i) {
        const int64_t headless_before = headless.port->accesses();
        const double start = now_seconds();
        const OperationResult result = verify_chip(headless.programmer, headless.view);
        best_headless = std::min(best_headless, now_seconds() - start);
        const int64_t headless_accesses = headless.port->accesses() - headless_before;

        const int64_t gui_before = gui.port->accesses();
        probe.start();
        best_gui = std::min(best_gui, gui.run_from_menu(kVerify));
        probe.stop();
        longest_gap_ms = std::max(longest_gap_ms, probe.longest_gap_ms());
        const int64_t gui_accesses = gui.port->accesses() - gui_before;

        // Both must have verified the whole chip, with the same traffic.
        if (result.outcome != OperationOutcome::Passed || headless.view.boxes != 0 ||
            !starts_with(gui.status(), "Chip verified.") || !gui.boxes.texts.empty() ||
            gui_accesses != headless_accesses) {
            std::fprintf(stderr, "Verify differed: %s (%lld accesses) / %s (%lld accesses)\n",
                         gui.status().c_str(), static_cast<long long>(gui_accesses),
                         headless.view.status.c_str(), static_cast<long long>(headless_accesses));
            return 1;
        }
        accesses = gui_accesses;
    }

    const int64_t pump_calls = pump_calls_per_verify(headless);
    const double pump_ns = pump_nanoseconds_per_call(pump_calls);

    std::printf("model %s\n", gui.programmer.model.name.c_str());
    std::printf("runs %d\n", options.runs);
    std::printf("port_accesses %lld\n", static_cast<long long>(accesses));
    std::printf("gui_ms %.2f\n", best_gui * 1000);
    std::printf("headless_ms %.2f\n", best_headless * 1000);
    std::printf("ratio %.4f\n", best_gui / best_headless);
    std::printf("longest_gap_ms %.2f\n", longest_gap_ms);
    // Where the window's extra time goes: the pump, asked after every port
    // transfer and clock edge, against the whole difference.
    std::printf("pump_calls %lld\n", static_cast<long long>(pump_calls));
    std::printf("pump_ns_per_call %.1f\n", pump_ns);
    std::printf("pump_ms %.2f\n", static_cast<double>(pump_calls) * pump_ns / 1e6);
    std::printf("extra_ms %.2f\n", (best_gui - best_headless) * 1000);
    return 0;
}

}  // namespace
}  // namespace picprog::bench

int main(int argc, char** argv) {
    // Like the GUI tests: no display needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    return picprog::bench::run(picprog::bench::parse_options(argc, argv));
}
